#!/usr/bin/env python3
"""Writes the program icon xlsamples.ico: one 32x32 image, 32 bits per pixel.

The picture is drawn from rules, so every run writes the same bytes: a white sheet with
a dark-blue title bar, a green and white grid of cells, and a red first column header.
"""
import struct
import sys

SIZE = 32


def pixel(x, y):
    """The colour (r, g, b, a) at x, y, with y = 0 the top row."""
    if x < 3 or x > 28 or y < 2 or y > 29:
        return (0, 0, 0, 0)  # transparent margin
    if x in (3, 28) or y in (2, 29):
        return (32, 32, 32, 255)  # outline
    if y < 8:
        return (0, 0, 128, 255)  # title bar
    col = (x - 4) // 6
    row = (y - 8) // 4
    if (x - 4) % 6 == 5 or (y - 8) % 4 == 3:
        return (0, 0, 0, 255)  # grid lines
    if row == 0:
        return (255, 0, 0, 255) if col == 0 else (170, 200, 240, 255)  # headers
    if col < 2:
        return (0, 128, 0, 255)  # the green key columns
    return (255, 255, 255, 255)


def image():
    rows = []
    for y in range(SIZE - 1, -1, -1):  # bitmaps are stored bottom-up
        for x in range(SIZE):
            r, g, b, a = pixel(x, y)
            rows.append(struct.pack("<BBBB", b, g, r, a))
    xor = b"".join(rows)
    mask = b""
    for y in range(SIZE - 1, -1, -1):
        bits = bytearray(4)
        for x in range(SIZE):
            if pixel(x, y)[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask),
                         0, 0, 0, 0)
    return header + xor + mask


def main(path):
    data = image()
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(data), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + entry + data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "xlsamples.ico")
