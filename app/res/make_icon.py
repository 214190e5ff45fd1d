#!/usr/bin/env python3
"""Writes velmoran.ico: one 182 x 182 image, 32 bits per pixel (RGBA, stored
as PNG inside the icon file), drawn here: a teal disc with a white V."""
import math
import struct
import sys
import zlib

SIZE = 182


def pixel(x, y):
    cx = cy = (SIZE - 1) / 2
    r = math.hypot(x - cx, y - cy)
    radius = SIZE / 2 - 2
    if r > radius + 1:
        return (0, 0, 0, 0)
    alpha = int(255 * max(0.0, min(1.0, radius + 1 - r)))
    shade = y / SIZE
    color = (int(20 + 30 * shade), int(150 - 50 * shade), int(160 - 40 * shade))
    # The V: two strokes from the upper corners to the bottom centre.
    top, bottom = SIZE * 0.28, SIZE * 0.74
    if top <= y <= bottom:
        t = (y - top) / (bottom - top)
        half = SIZE * 0.26 * (1 - t)
        stroke = SIZE * 0.055
        if abs(abs(x - cx) - half) <= stroke:
            color = (255, 255, 255)
    return color + (alpha,)


def png():
    rows = bytearray()
    for y in range(SIZE):
        rows.append(0)
        for x in range(SIZE):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b"")


def main(path):
    image = png()
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    with open(path, "wb") as out:
        out.write(directory + entry + image)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "velmoran.ico")
