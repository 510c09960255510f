#!/usr/bin/env python3
"""Writes the image files that the image-service tests read into OUT_DIR, so
that none is kept as a binary:

- bomb.png: a valid PNG of 30 000 x 30 000 pixels at 1 bit per pixel, all
  zeros: 109 KB declaring 900 million pixels, the kind of file a host is
  handed and must not spend minutes or gigabytes on;
- ok.EXT: a 64 x 48 picture, left half red, right half blue, in each of the
  five formats (EXT: jpg, gif, bmp, tif, png);
- N.EXT: that picture spoilt, N being 0 truncated to half its length,
  1 garbage behind its first four bytes, 2 empty, 3 the header without its
  body, 4 a width of 0, 5 a width above 2^31 (JPEG and GIF, whose sides have
  16 bits: 65535 x 65535, more than 2^31 pixels).

    make_image_corpus.py OUT_DIR
"""
import os
import random
import struct
import sys
import zlib

from PIL import Image


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def bomb(side=30000):
    row = b"\0" * (1 + (side + 7) // 8)  # the filter byte, then the row's bits
    z = zlib.compressobj(9)
    data = b"".join(z.compress(row) for _ in range(side)) + z.flush()
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 1, 0, 0, 0, 0)) +
            chunk(b"IDAT", data) + chunk(b"IEND", b""))


def spoil(good, ext, way):
    if way == 0:
        return good[:len(good) // 2]
    if way == 1:
        return good[:4] + random.Random(way).randbytes(4000)
    if way == 2:
        return b""
    b = bytearray(good)
    side, short, other = (0, 0, 48) if way == 4 else (0x80000000, 65535, 65535)
    if ext == "bmp":
        if way == 3:
            return b[:struct.unpack_from("<I", b, 10)[0]]  # up to the pixels' offset
        struct.pack_into("<I", b, 18, side)
    elif ext == "png":
        if way == 3:
            return b[:b.find(b"IDAT") - 4]
        struct.pack_into(">I", b, 16, side)
    elif ext == "gif":
        if way == 3:
            return b[:13]  # the screen, without its colour table and image
        struct.pack_into("<HH", b, 6, short, other)
    elif ext == "jpg":
        sof, sos = b.find(b"\xff\xc0"), b.find(b"\xff\xda")
        if way == 3:
            return b[:sos + 2 + struct.unpack_from(">H", b, sos + 2)[0]]  # the scan's header, no data
        struct.pack_into(">HH", b, sof + 5, other, short)
    else:  # TIFF (little-endian): the width made a LONG, or the first strip moved beyond the end
        ifd = struct.unpack_from("<I", b, 4)[0]
        for e in range(ifd + 2, ifd + 2 + 12 * struct.unpack_from("<H", b, ifd)[0], 12):
            tag = struct.unpack_from("<H", b, e)[0]
            if tag == 256 and way != 3:
                struct.pack_into("<HHII", b, e, 256, 4, 1, side)
            if tag == 273 and way == 3:
                struct.pack_into("<I", b, e + 8, 0x7FFFFFF0)
    return bytes(b)


def main(out):
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "bomb.png"), "wb") as f:
        f.write(bomb())
    picture = Image.new("RGB", (64, 48), (0, 0, 255))
    picture.paste((255, 0, 0), (0, 0, 32, 48))
    for ext, kind in (("jpg", "JPEG"), ("gif", "GIF"), ("bmp", "BMP"), ("tif", "TIFF"), ("png", "PNG")):
        path = os.path.join(out, "ok." + ext)
        picture.save(path, kind)
        with open(path, "rb") as f:
            good = f.read()
        for way in range(6):
            with open(os.path.join(out, "%d.%s" % (way, ext)), "wb") as f:
                f.write(spoil(good, ext, way))


main(sys.argv[1])
