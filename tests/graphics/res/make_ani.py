#!/usr/bin/env python3
"""Writes spinner.ani, the animated cursor resource of the graphics tests:
two 32 x 32 frames (a red and a blue square) with the hot spot at (5, 7)."""
import struct
import sys

W = H = 32
HOT_X, HOT_Y = 5, 7


def cursor(bgra):
    """A .cur file of one 32-bit image of the given colour."""
    xor = bytes(bgra) * (W * H)
    and_mask = bytes(((W + 31) // 32) * 4 * H)
    bih = struct.pack('<IiiHHIIiiII', 40, W, 2 * H, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    image = bih + xor + and_mask
    header = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', W, H, 0, 0, HOT_X, HOT_Y, len(image), 6 + 16)
    return header + entry + image


def chunk(tag, data):
    pad = b'\0' if len(data) % 2 else b''
    return tag + struct.pack('<I', len(data)) + data + pad


frames = [cursor((0, 0, 255, 255)), cursor((255, 0, 0, 255))]
anih = struct.pack('<9I', 36, len(frames), len(frames), 0, 0, 0, 0, 10, 1)
fram = b'fram' + b''.join(chunk(b'icon', f) for f in frames)
body = b'ACON' + chunk(b'anih', anih) + chunk(b'LIST', fram)
out = sys.argv[1] if len(sys.argv) > 1 else 'spinner.ani'
with open(out, 'wb') as f:
    f.write(b'RIFF' + struct.pack('<I', len(body)) + body)
