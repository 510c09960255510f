#!/usr/bin/env python3
"""Writes a valid PNG of 30 000 x 30 000 pixels at 1 bit per pixel, all
zeros: about a hundred kilobytes declaring 900 million pixels, the kind of
file a host is handed and must not spend minutes or gigabytes on.

    make_png_bomb.py OUT.png
"""
import struct
import sys
import zlib

SIDE = 30000
row = b"\0" * (1 + (SIDE + 7) // 8)  # filter byte, then the row's bits
z = zlib.compressobj(9)
data = b"".join(z.compress(row) for _ in range(SIDE)) + z.flush()


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


with open(sys.argv[1], "wb") as out:
    out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", SIDE, SIDE, 1, 0, 0, 0, 0)) +
              chunk(b"IDAT", data) + chunk(b"IEND", b""))
