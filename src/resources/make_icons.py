#!/usr/bin/python3
"""Makes the module's icon files and resource script from the icon catalogue.

    make_icons.py --table QorIconTable.inc --artwork artwork.txt --menu menu.rc
                  --out DIR [--preview PNG]

The catalogue table (src/button/QorIconTable.inc) decides which icon groups
exist, their identifiers and their sizes; artwork.txt gives each entry its
picture, taken from an installed icon theme and, where the theme has no such
picture, composed from one (a badge, a digit, a pie). Every group gets one
32-bit image with alpha and an AND mask, the classic icon format that every
icon loader reads. The hot image is the picture slightly darker and more
saturated, the disabled image a lighter grey-scale version of it.

Writes DIR/icons/<id>.ico and DIR/qor032_resources.rc, which holds every icon
group and the popup menu, all in US English. The resource script is written
last and always, so that a change to any icon file recompiles it.
"""

import argparse
import math
import os
import re
import struct
import sys

from PIL import Image, ImageDraw, ImageEnhance, ImageFont

# Theme name in artwork.txt: (folder, the Debian package that installs it).
THEMES = {
    "tango": ("/usr/share/icons/Tango", "tango-icon-theme"),
    "oxygen": ("/usr/share/icons/oxygen/base", "oxygen-icon-theme"),
}
FONT = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"
FIRST_ID, LAST_ID, MISSING_ID = 200, 962, 482
LANG_ID = "LANGUAGE 0x09, 0x01"  # LANG_ENGLISH, SUBLANG_ENGLISH_US: 1033

# Colours of the drawn parts, from the Tango palette so that they sit well with
# the theme pictures.
GREEN, GREEN_DARK = (115, 210, 22), (78, 154, 6)
RED, RED_DARK = (239, 41, 41), (164, 0, 0)
BLUE, BLUE_DARK = (52, 101, 164), (32, 74, 135)
BUTTER, BUTTER_DARK = (252, 233, 79), (196, 160, 0)
CHARCOAL = (46, 52, 54)
ALUMINIUM, ALUMINIUM_DARK = (211, 215, 207), (136, 138, 133)
WHITE = (255, 255, 255)
SS = 4  # supersampling factor of drawn parts


class BuildError(Exception):
    pass


# ---------------------------------------------------------------- catalogue

def read_table(path):
    """Returns the catalogue records and, per group identifier, the image."""
    records = []
    departures = {}
    pattern = re.compile(r"^(QOR_ICON|QOR_ICON_EXTRA|QOR_ICON_RADIO|QOR_ICON_DEPARTURE)"
                         r"\(([^)]*)\)")
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            m = pattern.match(line.strip())
            if not m:
                continue
            kind, args = m.group(1), [a.strip() for a in m.group(2).split(",")]
            try:
                if kind == "QOR_ICON":
                    records.append((args[0], args[2], int(args[3])))
                elif kind == "QOR_ICON_EXTRA":
                    records.append((args[0], args[1], int(args[2])))
                elif kind == "QOR_ICON_RADIO":
                    records.append((args[0], "SingleImage", int(args[1])))
                else:
                    departures[args[0]] = (int(args[1]), int(args[2]))
            except (IndexError, ValueError):
                raise BuildError(f"{path}:{number}: malformed record: {line.strip()}")

    images = {}  # id -> (entry name, size, state)

    def put(ident, name, size, state):
        if ident in images:
            other = images[ident][0]
            raise BuildError(f"group {ident} is used by both {other} and {name}")
        images[ident] = (name, size, state)

    names = set()
    for name, shape, n in records:
        if name in names:
            raise BuildError(f"entry {name} appears twice in {path}")
        names.add(name)
        if shape == "SingleImage":
            put(n, name, 16, "normal")
        elif shape == "OneSize":
            disabled, hot = departures.get(name, (n + 1, n + 2))
            put(n, name, 16, "normal")
            put(disabled, name, 16, "disabled")
            put(hot, name, 16, "hot")
        elif shape == "TwoSizes":
            disabled, hot = departures.get(name, (n + 4, n + 5))
            put(n, name, 16, "normal")
            put(disabled, name, 16, "disabled")
            put(hot, name, 16, "hot")
            put(n + 1, name, 32, "normal")
            put(n + 2, name, 32, "disabled")
            put(n + 3, name, 32, "hot")
        else:
            raise BuildError(f"entry {name} has an unknown shape {shape}")
    for name in departures:
        if name not in names:
            raise BuildError(f"departure for unknown entry {name}")

    expected = set(range(FIRST_ID, LAST_ID + 1)) - {MISSING_ID}
    if set(images) != expected:
        extra = sorted(set(images) - expected)
        missing = sorted(expected - set(images))
        raise BuildError(f"groups outside {FIRST_ID}-{LAST_ID}: {extra}; groups without an "
                         f"entry: {missing}")
    return [r[0] for r in records], images


def read_artwork(path, names):
    recipes = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            parts = line.split()
            if len(parts) < 2:
                raise BuildError(f"{path}:{number}: an entry needs a picture")
            if parts[0] in recipes:
                raise BuildError(f"{path}:{number}: {parts[0]} is given twice")
            recipes[parts[0]] = (parts[1], parts[2:], f"{path}:{number}")
    unknown = sorted(set(recipes) - set(names))
    missing = sorted(set(names) - set(recipes))
    if unknown or missing:
        raise BuildError(f"{path}: pictures for unknown entries {unknown}; entries without a "
                         f"picture {missing}")
    return recipes


# ---------------------------------------------------------------- pictures

_theme_cache = {}


def theme_picture(source, size):
    """The theme's picture at size x size, scaled from the nearest size it has."""
    key = (source, size)
    if key in _theme_cache:
        return _theme_cache[key].copy()
    theme, _, rel = source.partition(":")
    if theme not in THEMES or not rel:
        raise BuildError(f"unknown picture {source}")
    root, package = THEMES[theme]
    if not os.path.isdir(root):
        raise BuildError(f"the {theme} theme is not installed (Debian package {package}; "
                         f"tools/bootstrap installs it)")
    found = {}
    for folder in os.listdir(root):
        m = re.fullmatch(r"(\d+)x\1", folder)
        if m and os.path.isfile(os.path.join(root, folder, rel + ".png")):
            found[int(m.group(1))] = os.path.join(root, folder, rel + ".png")
    if not found:
        raise BuildError(f"the {theme} theme has no picture {rel}")
    if size in found:
        chosen = size
    else:
        larger = [s for s in found if s > size]
        chosen = min(larger) if larger else max(found)
    image = Image.open(found[chosen]).convert("RGBA")
    if image.size != (size, size):
        image = image.resize((size, size), Image.LANCZOS)
    _theme_cache[key] = image
    return image.copy()


def supersampled(size):
    canvas = Image.new("RGBA", (size * SS, size * SS), (0, 0, 0, 0))
    return canvas, ImageDraw.Draw(canvas)


def reduce(canvas, size):
    return canvas.resize((size, size), Image.LANCZOS)


def draw_pie(size, percent):
    canvas, d = supersampled(size)
    s = size * SS
    inset = SS * (1 if size == 16 else 2)
    box = [inset, inset, s - inset - 1, s - inset - 1]
    d.ellipse(box, fill=WHITE + (255,))
    if percent >= 100:
        d.ellipse(box, fill=GREEN + (255,))
    elif percent > 0:
        d.pieslice(box, -90, -90 + 360 * percent / 100.0, fill=GREEN + (255,))
    d.ellipse(box, outline=GREEN_DARK + (255,), width=SS * (1 if size == 16 else 2))
    return reduce(canvas, size)


def draw_checkbox(size, on):
    canvas, d = supersampled(size)
    u = SS * size / 16.0
    box = [1.5 * u, 1.5 * u, 14.5 * u, 14.5 * u]
    d.rounded_rectangle(box, radius=1.5 * u, fill=WHITE + (255,),
                        outline=ALUMINIUM_DARK + (255,), width=int(u))
    if on:
        d.line([(4.2 * u, 8.2 * u), (6.8 * u, 10.8 * u), (11.8 * u, 4.8 * u)],
               fill=CHARCOAL + (255,), width=int(2.2 * u), joint="curve")
    return reduce(canvas, size)


def draw_radio(size, on):
    canvas, d = supersampled(size)
    u = SS * size / 16.0
    d.ellipse([1.5 * u, 1.5 * u, 14.5 * u, 14.5 * u], fill=WHITE + (255,),
              outline=ALUMINIUM_DARK + (255,), width=int(u))
    if on:
        d.ellipse([5 * u, 5 * u, 11 * u, 11 * u], fill=CHARCOAL + (255,))
    return reduce(canvas, size)


def draw_tag(size):
    canvas, d = supersampled(size)
    s = size * SS
    pts = [(0.06, 0.5), (0.34, 0.26), (0.94, 0.26), (0.94, 0.74), (0.34, 0.74)]
    d.polygon([(x * s, y * s) for x, y in pts], fill=BUTTER + (255,),
              outline=BUTTER_DARK + (255,), width=SS * (1 if size == 16 else 2))
    r = 0.07 * s
    d.ellipse([0.3 * s - r, 0.5 * s - r, 0.3 * s + r, 0.5 * s + r], fill=(0, 0, 0, 0),
              outline=BUTTER_DARK + (255,), width=SS)
    canvas = canvas.rotate(40, resample=Image.BICUBIC, center=(s / 2, s / 2))
    return reduce(canvas, size)


def drawn_picture(kind, size):
    name, _, arg = kind.partition("=")
    if name == "pie":
        return draw_pie(size, int(arg))
    if name == "checkbox" and arg in ("on", "off"):
        return draw_checkbox(size, arg == "on")
    if name == "radio" and arg in ("on", "off"):
        return draw_radio(size, arg == "on")
    if name == "tag" and not arg:
        return draw_tag(size)
    raise BuildError(f"unknown drawn picture draw:{kind}")


def picture(source, size):
    if source.startswith("draw:"):
        return drawn_picture(source[5:], size)
    return theme_picture(source, size)


# ---------------------------------------------------------------- badges

def badge_size(size):
    return 10 if size == 16 else 18


def round_badge(b, colour, glyph):
    """A disc with a light rim and a white glyph, drawn at b x b pixels."""
    canvas, d = supersampled(b)
    s = b * SS
    d.ellipse([0, 0, s - 1, s - 1], fill=WHITE + (230,))
    rim = SS * 0.9
    d.ellipse([rim, rim, s - 1 - rim, s - 1 - rim], fill=colour + (255,))
    glyph(d, s)
    return reduce(canvas, b)


def glyph_plus(d, s):
    w = s * 0.09
    c = s / 2.0
    d.rectangle([s * 0.22, c - w, s * 0.78, c + w], fill=WHITE + (255,))
    d.rectangle([c - w, s * 0.22, c + w, s * 0.78], fill=WHITE + (255,))


def glyph_minus(d, s):
    w = s * 0.1
    c = s / 2.0
    d.rectangle([s * 0.22, c - w, s * 0.78, c + w], fill=WHITE + (255,))


def glyph_info(d, s):
    c = s / 2.0
    w = s * 0.09
    d.ellipse([c - w * 1.2, s * 0.18, c + w * 1.2, s * 0.18 + w * 2.4], fill=WHITE + (255,))
    d.rectangle([c - w, s * 0.42, c + w, s * 0.8], fill=WHITE + (255,))


def glyph_cross(d, s):
    w = int(s * 0.2)
    d.line([(s * 0.3, s * 0.3), (s * 0.7, s * 0.7)], fill=WHITE + (255,), width=w)
    d.line([(s * 0.3, s * 0.7), (s * 0.7, s * 0.3)], fill=WHITE + (255,), width=w)


def glyph_arrow(right):
    def draw(d, s):
        pts = [(0.22, 0.42), (0.5, 0.42), (0.5, 0.24), (0.8, 0.5), (0.5, 0.76),
               (0.5, 0.58), (0.22, 0.58)]
        if not right:
            pts = [(1.0 - x, y) for x, y in pts]
        d.polygon([(x * s, y * s) for x, y in pts], fill=WHITE + (255,))
    return draw


def glyph_tick(d, s):
    d.line([(s * 0.26, s * 0.52), (s * 0.44, s * 0.7), (s * 0.76, s * 0.32)],
           fill=WHITE + (255,), width=int(s * 0.17), joint="curve")


def pencil_badge(b):
    canvas, d = supersampled(b)
    s = b * SS
    # A pencil lying from the bottom-left (tip) to the top-right (eraser).
    ax, ay = 0.08 * s, 0.92 * s
    bx, by = 0.92 * s, 0.08 * s
    dx, dy = (bx - ax), (by - ay)
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    px, py = -uy, ux
    half = 0.17 * s

    def at(t, off):
        return (ax + ux * length * t + px * off, ay + uy * length * t + py * off)

    outline = (143, 89, 2, 255)
    d.polygon([at(0.28, -half - SS), at(0.98, -half - SS), at(0.98, half + SS),
               at(0.28, half + SS), at(0.0, 0)], fill=outline)
    d.polygon([at(0.30, -half), at(0.80, -half), at(0.80, half), at(0.30, half)],
              fill=BUTTER + (255,))
    d.polygon([at(0.80, -half), at(0.96, -half), at(0.96, half), at(0.80, half)],
              fill=(233, 140, 140, 255))
    d.polygon([at(0.30, -half), at(0.30, half), at(0.05, 0)], fill=(233, 205, 160, 255))
    d.polygon([at(0.12, -half * 0.5), at(0.12, half * 0.5), at(0.02, 0)], fill=CHARCOAL + (255,))
    return reduce(canvas, b)


def copy_badge(b):
    canvas, d = supersampled(b)
    s = b * SS
    w = max(SS, int(s * 0.08))
    d.rectangle([0.05 * s, 0.05 * s, 0.62 * s, 0.7 * s], fill=WHITE + (255,),
                outline=CHARCOAL + (255,), width=w)
    d.rectangle([0.36 * s, 0.3 * s, 0.95 * s, 0.95 * s], fill=WHITE + (255,),
                outline=BLUE_DARK + (255,), width=w)
    return reduce(canvas, b)


def star_badge(b):
    canvas, d = supersampled(b)
    s = b * SS
    pts = []
    for k in range(10):
        r = 0.48 * s if k % 2 == 0 else 0.2 * s
        a = -math.pi / 2 + k * math.pi / 5
        pts.append((s / 2 + r * math.cos(a), s / 2 + r * math.sin(a)))
    d.polygon(pts, fill=BUTTER + (255,), outline=BUTTER_DARK + (255,))
    return reduce(canvas, b)


def gear_badge(b):
    canvas, d = supersampled(b)
    s = b * SS
    c = s / 2.0
    teeth = 8
    outer, inner = 0.49 * s, 0.36 * s
    pts = []
    for k in range(teeth * 4):
        a = 2 * math.pi * k / (teeth * 4)
        r = outer if k % 4 in (1, 2) else inner
        pts.append((c + r * math.cos(a), c + r * math.sin(a)))
    d.polygon(pts, fill=(85, 87, 83, 255))
    d.ellipse([c - 0.27 * s, c - 0.27 * s, c + 0.27 * s, c + 0.27 * s], fill=ALUMINIUM + (255,))
    d.ellipse([c - 0.12 * s, c - 0.12 * s, c + 0.12 * s, c + 0.12 * s], fill=(0, 0, 0, 0))
    return reduce(canvas, b)


def wand_badge(b):
    canvas, d = supersampled(b)
    s = b * SS
    d.line([(0.1 * s, 0.9 * s), (0.6 * s, 0.4 * s)], fill=CHARCOAL + (255,), width=int(0.16 * s))
    d.line([(0.5 * s, 0.5 * s), (0.6 * s, 0.4 * s)], fill=WHITE + (255,), width=int(0.1 * s))
    pts = []
    cx, cy = 0.72 * s, 0.28 * s
    for k in range(8):
        r = 0.28 * s if k % 2 == 0 else 0.09 * s
        a = -math.pi / 2 + k * math.pi / 4
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    d.polygon(pts, fill=BUTTER + (255,), outline=BUTTER_DARK + (255,))
    return reduce(canvas, b)


def make_badge(op, size):
    b = badge_size(size)
    if op == "add":
        return round_badge(b, GREEN_DARK, glyph_plus)
    if op == "remove":
        return round_badge(b, RED, glyph_minus)
    if op == "delete":
        return round_badge(b, RED, glyph_cross)
    if op == "next":
        return round_badge(b, GREEN_DARK, glyph_arrow(True))
    if op == "prev":
        return round_badge(b, GREEN_DARK, glyph_arrow(False))
    if op == "check":
        return round_badge(b, GREEN_DARK, glyph_tick)
    if op == "info":
        return round_badge(b, BLUE, glyph_info)
    if op == "edit":
        return pencil_badge(b)
    if op == "copy":
        return copy_badge(b)
    if op == "star":
        return star_badge(b)
    if op == "options":
        return gear_badge(b)
    if op == "wand":
        return wand_badge(b)
    if op == "search":
        return theme_picture("tango:actions/system-search", b)
    if op.startswith("badge="):
        return picture(op[6:], b)
    return None


def with_badge(image, badge):
    out = image.copy()
    size = image.size[0]
    b = badge.size[0]
    out.alpha_composite(badge, (size - b, size - b))
    return out


# ---------------------------------------------------------------- operations

def text_layer(size, text, font_px, fill, stroke, centre):
    canvas = Image.new("RGBA", (size * SS, size * SS), (0, 0, 0, 0))
    d = ImageDraw.Draw(canvas)
    try:
        font = ImageFont.truetype(FONT, int(font_px * SS))
    except OSError:
        raise BuildError(f"font {FONT} is missing (Debian package fonts-liberation)")
    box = d.textbbox((0, 0), text, font=font, stroke_width=int(stroke * SS))
    cx, cy = centre[0] * SS, centre[1] * SS
    x = cx - (box[0] + box[2]) / 2.0
    y = cy - (box[1] + box[3]) / 2.0
    d.text((x, y), text, font=font, fill=fill + (255,), stroke_width=int(stroke * SS),
           stroke_fill=WHITE + (255,))
    return reduce(canvas, size)


def op_digit(image, digit):
    size = image.size[0]
    px = 11 if size == 16 else 20
    layer = text_layer(size, digit, px, RED_DARK, 1.2 if size == 16 else 2,
                       (size / 2.0, size * 0.56))
    out = image.copy()
    out.alpha_composite(layer)
    return out


def op_letter(image, letter):
    size = image.size[0]
    b = badge_size(size)
    canvas, d = supersampled(b)
    s = b * SS
    d.rounded_rectangle([0, 0, s - 1, s - 1], radius=s * 0.2, fill=WHITE + (255,),
                        outline=BLUE_DARK + (255,), width=SS)
    tab = reduce(canvas, b)
    tab.alpha_composite(text_layer(b, letter, b * 0.85, BLUE_DARK, 0, (b / 2.0, b / 2.0)))
    out = image.copy()
    out.alpha_composite(tab, (0, 0))
    return out


def shrunk(image, fraction):
    size = image.size[0]
    n = max(1, int(round(size * fraction)))
    return image.resize((n, n), Image.LANCZOS)


def op_pair(image, other_source):
    size = image.size[0]
    first = shrunk(image, 0.72)
    second = shrunk(picture(other_source, size), 0.72)
    out = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    out.alpha_composite(first, (0, 0))
    out.alpha_composite(second, (size - second.size[0], size - second.size[1]))
    return out


def op_stack(image):
    size = image.size[0]
    small = shrunk(image, 0.82)
    n = small.size[0]
    out = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    back = ImageEnhance.Brightness(small).enhance(0.85)
    out.alpha_composite(back, (size - n, 0))
    out.alpha_composite(small, (0, size - n))
    return out


def page_box(image):
    """The page's inner rectangle: the bounding box of its opaque pixels."""
    box = image.getchannel("A").point(lambda a: 255 if a > 200 else 0).getbbox()
    if box is None:
        raise BuildError("a page operation needs a page picture")
    return box


def op_page(image, orientation):
    """The page picture reshaped to an upright or a lying sheet."""
    size = image.size[0]
    page = image.crop(page_box(image))
    long_side, short_side = size - (1 if size == 16 else 2), int(size * 0.66)
    if orientation == "portrait":
        w, h = short_side, long_side
    elif orientation == "landscape":
        w, h = long_side, short_side
    else:
        raise BuildError(f"page={orientation}: portrait or landscape")
    page = page.resize((w, h), Image.LANCZOS)
    out = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    out.alpha_composite(page, ((size - w) // 2, (size - h) // 2))
    return out


def op_lines(image):
    size = image.size[0]
    out = image.copy()
    d = ImageDraw.Draw(out)
    left, top, right, bottom = page_box(image)
    m = 2 if size == 16 else 4
    step = 2 if size == 16 else 3
    for y in range(top + m, bottom - m, step):
        d.line([(left + m, y), (right - 1 - m, y)], fill=ALUMINIUM_DARK + (255,))
    return out


def op_band(image, where):
    size = image.size[0]
    out = image.copy()
    d = ImageDraw.Draw(out)
    left, top, right, bottom = page_box(image)
    h = 4 if size == 16 else 8
    inset = 1 if size == 16 else 2
    if where == "top":
        d.rectangle([left + inset, top + inset, right - 1 - inset, top + inset + h - 1],
                    fill=BLUE + (255,))
    elif where == "bottom":
        d.rectangle([left + inset, bottom - inset - h, right - 1 - inset, bottom - 1 - inset],
                    fill=BLUE + (255,))
    else:
        raise BuildError(f"band={where}: top or bottom")
    return out


def apply(image, op):
    badge = make_badge(op, image.size[0])
    if badge is not None:
        return with_badge(image, badge)
    if op.startswith("digit=") and len(op) == 7 and op[6].isdigit():
        return op_digit(image, op[6])
    if op.startswith("letter=") and len(op) == 8:
        return op_letter(image, op[7])
    if op.startswith("pair="):
        return op_pair(image, op[5:])
    if op == "stack":
        return op_stack(image)
    if op == "lines":
        return op_lines(image)
    if op.startswith("band="):
        return op_band(image, op[5:])
    if op.startswith("page="):
        return op_page(image, op[5:])
    raise BuildError(f"unknown operation {op}")


def render(recipe, size):
    source, ops, where = recipe
    try:
        image = picture(source, size)
        for op in ops:
            image = apply(image, op)
    except BuildError as e:
        raise BuildError(f"{where}: {e}")
    return image


# ---------------------------------------------------------------- states

def hot(image):
    """Slightly darker and more saturated."""
    alpha = image.getchannel("A")
    rgb = image.convert("RGB")
    rgb = ImageEnhance.Color(rgb).enhance(1.35)
    rgb = ImageEnhance.Brightness(rgb).enhance(0.84)
    out = rgb.convert("RGBA")
    out.putalpha(alpha)
    return out


def disabled(image):
    """A lighter grey-scale version."""
    alpha = image.getchannel("A")
    grey = image.convert("RGB").convert("L").point(lambda v: int(v * 0.55 + 255 * 0.45 + 0.5))
    out = Image.merge("RGBA", (grey, grey, grey, alpha))
    return out


# ---------------------------------------------------------------- files

def ico_bytes(image):
    """One 32-bit BGRA image with its AND mask, in an icon file."""
    w, h = image.size
    pixels = image.load()
    xor = bytearray()
    mask = bytearray()
    mask_stride = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):  # bottom-up rows
        row = bytearray(mask_stride)
        for x in range(w):
            r, g, b, a = pixels[x, y]
            if a == 0:
                r = g = b = 0
                row[x // 8] |= 0x80 >> (x % 8)
            xor += bytes((b, g, r, a))
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    data = header + bytes(xor) + bytes(mask)
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(data), 6 + 16)
    return icondir + entry + data


def write_if_changed(path, data):
    if os.path.exists(path):
        with open(path, "rb") as f:
            if f.read() == data:
                return
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def rc_path(path):
    return os.path.abspath(path).replace("\\", "/").replace('"', '""')


def build(args):
    names, images = read_table(args.table)
    recipes = read_artwork(args.artwork, names)
    with open(args.menu, encoding="utf-8") as f:
        menu = f.read()

    icon_dir = os.path.join(args.out, "icons")
    os.makedirs(icon_dir, exist_ok=True)

    pictures = {}
    for ident in sorted(images):
        name, size, state = images[ident]
        key = (name, size)
        if key not in pictures:
            normal = render(recipes[name], size)
            pictures[key] = {"normal": normal, "hot": hot(normal), "disabled": disabled(normal)}
        write_if_changed(os.path.join(icon_dir, f"{ident}.ico"), ico_bytes(pictures[key][state]))

    wanted = {f"{ident}.ico" for ident in images}
    for stale in os.listdir(icon_dir):
        if stale not in wanted:
            os.remove(os.path.join(icon_dir, stale))

    lines = [
        "// Generated by make_icons.py from QorIconTable.inc, artwork.txt and menu.rc.",
        "// Do not edit: change those and rebuild.",
        "",
        LANG_ID,
        "",
    ]
    for ident in sorted(images):
        name, size, state = images[ident]
        path = rc_path(os.path.join(icon_dir, f"{ident}.ico"))
        lines.append(f'{ident} ICON "{path}"  // {name}, {size} pixels, {state}')
    lines += ["", menu.rstrip(), ""]
    rc = os.path.join(args.out, "qor032_resources.rc")
    tmp = rc + ".tmp"
    with open(tmp, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines))
    os.replace(tmp, rc)

    if args.preview:
        write_preview(args.preview, names, images, pictures)


def write_preview(path, names, images, pictures):
    """A quick look at every entry in its three states, without Windows."""
    order = {n: i for i, n in enumerate(names)}
    keys = sorted(pictures, key=lambda k: (order[k[0]], k[1]))
    cols = 6
    cell_w, cell_h = 250, 40
    rows = (len(keys) + cols - 1) // cols
    sheet = Image.new("RGBA", (cols * cell_w, rows * cell_h), (236, 233, 216, 255))
    d = ImageDraw.Draw(sheet)
    for i, key in enumerate(keys):
        x, y = (i % cols) * cell_w, (i // cols) * cell_h
        for j, state in enumerate(("normal", "hot", "disabled")):
            im = pictures[key][state]
            sheet.alpha_composite(im, (x + 4 + j * 36, y + 4))
        d.text((x + 112, y + 12), f"{key[0]} {key[1]}", fill=(0, 0, 0, 255))
    sheet.save(path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--table", required=True)
    parser.add_argument("--artwork", required=True)
    parser.add_argument("--menu", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--preview")
    args = parser.parse_args()
    try:
        build(args)
    except (BuildError, OSError) as e:
        print(f"make_icons.py: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
