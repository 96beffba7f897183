#!/usr/bin/env python3
"""Writes stub.ico: the launcher stubs' own 32x32, 16-colour icon (a small
wooden cask with iron hoops). Run it again only to change the picture;
the generated file is kept beside this script."""
import math
import struct
import sys

SIZE = 32
# Palette (R, G, B): 0 is unused behind the transparency mask.
PALETTE = [
    (0, 0, 0),        # 0 transparent
    (74, 40, 18),     # 1 dark wood
    (132, 76, 34),    # 2 wood
    (186, 120, 60),   # 3 light wood
    (60, 60, 66),     # 4 hoop
    (150, 150, 160),  # 5 hoop highlight
    (230, 190, 120),  # 6 wood highlight
    (30, 20, 10),     # 7 outline
] + [(0, 0, 0)] * 8

HOOPS = {6, 7, 15, 16, 24, 25}


def pixel(x, y):
    """Palette index at (x, y), top-down; None for transparent."""
    top, bottom = 3, 28
    if y < top or y > bottom:
        return None
    t = (y - top) / (bottom - top)
    half = 8.5 + 3.5 * math.sin(math.pi * t)
    dx = x + 0.5 - 16
    if abs(dx) > half:
        return None
    if abs(dx) > half - 1 or y in (top, bottom):
        return 7
    if y in HOOPS:
        return 5 if -half * 0.5 < dx < -half * 0.1 else 4
    rel = dx / half
    if rel < -0.55:
        shade = 1
    elif rel < -0.2:
        shade = 3
    elif rel < 0.45:
        shade = 2
    else:
        shade = 1
    if -0.45 < rel < -0.3 and y % 5 != 0:
        shade = 6
    # staves: thin dark lines
    if abs(rel - 0.15) < 0.04 or abs(rel + 0.7) < 0.03:
        shade = 1
    return shade


def build():
    xor_rows = []
    and_rows = []
    for y in reversed(range(SIZE)):  # bottom-up
        nibbles = []
        mask = 0
        for x in range(SIZE):
            index = pixel(x, y)
            if index is None:
                nibbles.append(0)
                mask |= 1 << (31 - x)
            else:
                nibbles.append(index)
        xor_rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, SIZE, 2)))
        and_rows.append(struct.pack(">I", mask))
    xor_bits = b"".join(xor_rows)
    and_bits = b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(xor_bits) + len(and_bits), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    image = header + palette + xor_bits + and_bits
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "stub.ico"
    with open(out, "wb") as f:
        f.write(build())
