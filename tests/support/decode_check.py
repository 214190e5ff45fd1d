"""Decodes what the project's encoders wrote with Python's own zlib, as an
independent reader, and compares it with what was encoded.

  decode_check.py zlib STREAM ORIGINAL        the zlib stream inflates to ORIGINAL's bytes
  decode_check.py png FILE RGB WIDTH HEIGHT   FILE is a PNG of that size whose pixels are RGB's bytes

Exit status 0 when they match; otherwise the difference is printed and the status is 1.
"""
import struct
import sys
import zlib


def fail(message):
    print(message)
    sys.exit(1)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def check_zlib(stream_path, original_path):
    try:
        decoded = zlib.decompress(read(stream_path))  # checks the Adler-32 as well
    except zlib.error as error:
        fail(f"zlib cannot inflate it: {error}")
    if decoded != read(original_path):
        fail("inflated bytes differ from the original")


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def unfilter(raw, width, height, bpp):
    stride = width * bpp
    out = bytearray()
    previous = bytearray(stride)
    at = 0
    for _ in range(height):
        kind = raw[at]
        row = bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride if kind != 0 else 0):
            left = row[i - bpp] if i >= bpp else 0
            up = previous[i]
            upleft = previous[i - bpp] if i >= bpp else 0
            row[i] = (row[i] + [0, left, up, (left + up) // 2, paeth(left, up, upleft)][kind]) & 0xFF
        out += row
        previous = row
    return bytes(out)


def check_png(path, rgb_path, width, height):
    data = read(path)
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        fail("no PNG signature")
    at, chunks = 8, []
    while at < len(data):
        (length,) = struct.unpack(">I", data[at:at + 4])
        kind = data[at + 4:at + 8]
        body = data[at + 8:at + 8 + length]
        (crc,) = struct.unpack(">I", data[at + 8 + length:at + 12 + length])
        if zlib.crc32(kind + body) != crc:
            fail(f"chunk {kind!r}: wrong CRC")
        chunks.append((kind, body))
        at += 12 + length
    if not chunks or chunks[0][0] != b"IHDR" or chunks[-1][0] != b"IEND":
        fail("chunks must start with IHDR and end with IEND")
    w, h, depth, colour, method, filtering, interlace = struct.unpack(">IIBBBBB", chunks[0][1])
    if (w, h, depth, colour, method, filtering, interlace) != (width, height, 8, 2, 0, 0, 0):
        fail(f"IHDR says {w}x{h} depth {depth} colour {colour} {method} {filtering} {interlace}")
    try:
        raw = zlib.decompress(b"".join(body for kind, body in chunks if kind == b"IDAT"))
    except zlib.error as error:
        fail(f"zlib cannot inflate the pixel data: {error}")
    if len(raw) != height * (1 + 3 * width):
        fail(f"{len(raw)} bytes of rows, not {height * (1 + 3 * width)}")
    if unfilter(raw, width, height, 3) != read(rgb_path):
        fail("pixels differ from what was encoded")


if __name__ == "__main__":
    if sys.argv[1] == "zlib":
        check_zlib(sys.argv[2], sys.argv[3])
    else:
        check_png(sys.argv[2], sys.argv[3], int(sys.argv[4]), int(sys.argv[5]))
