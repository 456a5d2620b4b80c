#!/usr/bin/env python3
"""Draws the program's icon and writes it as a Windows .ico file.

The picture is ours, drawn here from shapes: a rounded square with a deep blue
gradient, a pale band across its top (the veil) and a white V. The output is the same
byte for byte on every run, so the committed file can be checked against this script:

    scripts/make_icon.py src/app/veilor.ico          # write
    scripts/make_icon.py --check src/app/veilor.ico  # exit 1 when it differs
"""
import struct
import sys

SIZES = (16, 24, 32, 48)
SUPERSAMPLE = 4

TOP = (0x2B, 0x6C, 0xB0)
BOTTOM = (0x17, 0x2F, 0x55)
VEIL = (0xD6, 0xE6, 0xF5)
MARK = (0xFF, 0xFF, 0xFF)


def inside_rounded_square(x, y, radius):
    """x, y in 0..1; the square's corners are rounded by radius."""
    cx = min(max(x, radius), 1 - radius)
    cy = min(max(y, radius), 1 - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = min(max(t, 0.0), 1.0)
    qx, qy = ax + t * dx, ay + t * dy
    return ((px - qx) ** 2 + (py - qy) ** 2) ** 0.5


def in_mark(x, y):
    half_width = 0.085
    left = distance_to_segment(x, y, 0.27, 0.40, 0.50, 0.80)
    right = distance_to_segment(x, y, 0.73, 0.40, 0.50, 0.80)
    return min(left, right) <= half_width


def in_veil(x, y):
    return 0.17 <= y <= 0.27 and 0.16 <= x <= 0.84


def sample(x, y):
    """The colour and coverage (0 or 1) of one point of the picture."""
    if not inside_rounded_square(x, y, 0.22):
        return (0, 0, 0), 0
    if in_mark(x, y):
        return MARK, 1
    if in_veil(x, y):
        return VEIL, 1
    t = y
    return tuple(round(a + (b - a) * t) for a, b in zip(TOP, BOTTOM)), 1


def render(size):
    """Rows top to bottom of (b, g, r, a) tuples, anti-aliased by supersampling."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = cover = 0
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / size
                    y = (py + (sy + 0.5) / n) / size
                    colour, c = sample(x, y)
                    if c:
                        r += colour[0]
                        g += colour[1]
                        b += colour[2]
                        cover += 1
            if cover:
                row.append((b // cover, g // cover, r // cover, cover * 255 // (n * n)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def dib(size):
    """One icon image: BITMAPINFOHEADER, 32-bit pixels bottom-up, then the AND mask."""
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(c for px in row for c in px) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def ico():
    images = [dib(s) for s in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def main(argv):
    check = "--check" in argv
    paths = [a for a in argv if a != "--check"]
    if len(paths) != 1:
        sys.stderr.write(__doc__)
        return 2
    data = ico()
    if check:
        with open(paths[0], "rb") as f:
            same = f.read() == data
        if not same:
            sys.stderr.write(f"{paths[0]} differs from what {__file__} draws\n")
        return 0 if same else 1
    with open(paths[0], "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
