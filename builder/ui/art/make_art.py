#!/usr/bin/env python3
"""Draws the builder's toolbar bitmap and program icons.

Writes into the folder given as the only argument:
  toolbar.bmp            14 images of 16 x 16, 8-bit palette, light grey background
  program.ico            icon 2: the Caskit barrel (32 x 32 and 16 x 16)
  small.ico              icon 3: the barrel for small previews
  large_placeholder.ico  icon 4: an empty frame (no large image chosen)
  small_placeholder.ico  icon 5: an empty frame (no small image chosen)
  project.ico            icon 109: a project sheet with the barrel
The output is deterministic, so it can be regenerated at every build.
"""
import struct
import sys
from pathlib import Path

PALETTE = {
    '.': (192, 192, 192),  # button face (mapped to the system colour)
    'k': (0, 0, 0),
    'w': (255, 255, 255),
    'g': (128, 128, 128),
    'y': (255, 255, 0),
    'o': (128, 128, 0),
    'b': (0, 0, 128),
    'B': (0, 0, 255),
    'G': (0, 160, 0),
    'r': (192, 0, 0),
}

NEW = [
    "................",
    "..kkkkkkkk......",
    "..kwwwwwwkk.....",
    "..kwwwwwwkwk....",
    "..kwwwwwwkkkk...",
    "..kwwwwwwwwwk...",
    "..kwwwwwwwwwk...",
    "..kwwwwwwwwwk...",
    "..kwwwwwwwwwk...",
    "..kwwwwwwwwwk...",
    "..kwwwwwwwwwk...",
    "..kwwwwwwwwwk...",
    "..kwwwwwwwwwk...",
    "..kwwwwwwwwwk...",
    "..kkkkkkkkkkk...",
    "................",
]
OPEN = [
    "................",
    "................",
    "..kkkk..........",
    ".kyyyyk.........",
    ".kyyyyykkkkkkk..",
    ".kyyyyyyyyyyyk..",
    ".kyyykkkkkkkkkkk",
    ".kyykooooooooook",
    ".kyykoooooooook.",
    ".kykooooooooook.",
    ".kykoooooooook..",
    ".kkooooooooook..",
    ".kkoooooooook...",
    ".kkkkkkkkkkkk...",
    "................",
    "................",
]
SAVE = [
    "................",
    ".kkkkkkkkkkkkkk.",
    ".kbkwwwwwwwwkbk.",
    ".kbkwwwwwwwwkbk.",
    ".kbkwwwwwwwwkbk.",
    ".kbkwwwwwwwwkbk.",
    ".kbbkkkkkkkkbbk.",
    ".kbbbbbbbbbbbbk.",
    ".kbbkkkkkkkkbbk.",
    ".kbbkggggwgkbbk.",
    ".kbbkggggwgkbbk.",
    ".kbbkggggwgkbbk.",
    ".kbbkggggggkbbk.",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................",
]
COMPILE = [
    "................",
    ".kkkkkkkkkkkkk..",
    ".kBBBBBBBBBBBk..",
    ".kkkkkkkkkkkkk..",
    ".kwwwwwwwwwwwk..",
    ".kwwwGwwwwwwwk..",
    ".kwwwGGwwwwwwk..",
    ".kwwwGGGwwwwwk..",
    ".kwwwGGGGwwwwk..",
    ".kwwwGGGwwwwwk..",
    ".kwwwGGwwwwwwk..",
    ".kwwwGwwwwwwwk..",
    ".kwwwwwwwwwwwk..",
    ".kkkkkkkkkkkkk..",
    "................",
    "................",
]
HELP = [
    "................",
    "......kkkk......",
    ".....kBBBBk.....",
    "....kBBkkBBk....",
    "....kBBk.kBBk...",
    ".........kBBk...",
    "........kBBk....",
    ".......kBBk.....",
    "......kBBk......",
    "......kBBk......",
    ".......kk.......",
    "................",
    "......kBBk......",
    "......kBBk......",
    ".......kk.......",
    "................",
]
TILE = [
    "................",
    ".kkkkkkk.kkkkkkk",
    ".kBBBBBk.kBBBBBk",
    ".kwwwwwk.kwwwwwk",
    ".kwwwwwk.kwwwwwk",
    ".kwwwwwk.kwwwwwk",
    ".kwwwwwk.kwwwwwk",
    ".kkkkkkk.kkkkkkk",
    "................",
    ".kkkkkkk.kkkkkkk",
    ".kBBBBBk.kBBBBBk",
    ".kwwwwwk.kwwwwwk",
    ".kwwwwwk.kwwwwwk",
    ".kwwwwwk.kwwwwwk",
    ".kkkkkkk.kkkkkkk",
    "................",
]
CASCADE = [
    "kkkkkkkkk.......",
    "kBBBBBBBk.......",
    "kwwkkkkkkkkk....",
    "kwwkBBBBBBBk....",
    "kwwkwwkkkkkkkkk.",
    "kwwkwwkBBBBBBBk.",
    "kkkkwwkwwwwwwwk.",
    "...kwwkwwwwwwwk.",
    "...kkkkwwwwwwwk.",
    "......kwwwwwwwk.",
    "......kwwwwwwwk.",
    "......kkkkkkkkk.",
    "................",
    "................",
    "................",
    "................",
]
BLANK = ["." * 16] * 16
TOOLBAR = [NEW, OPEN, SAVE, COMPILE, HELP, TILE, CASCADE] + [BLANK] * 7


def write_toolbar(path):
    keys = list(PALETTE)
    width, height = 16 * len(TOOLBAR), 16
    for image in TOOLBAR:
        assert len(image) == 16 and all(len(row) == 16 for row in image), image
    row_size = (width + 3) & ~3
    pixels = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up
        row = bytearray()
        for image in TOOLBAR:
            row += bytes(keys.index(c) for c in image[y])
        pixels += row + bytes(row_size - width)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE.values())
    palette += bytes(4 * (256 - len(PALETTE)))
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    Path(path).write_bytes(header + info + palette + pixels)


# Icons: a picture is a function (x, y, size) -> (r, g, b) or None (transparent).
def barrel(x, y, s):
    top, bottom = s * 0.08, s * 0.92
    if not (top <= y + 0.5 <= bottom):
        return None
    t = ((y + 0.5) - s / 2) / (s * 0.42)
    half = s * 0.30 + s * 0.09 * (1 - t * t)
    dx = (x + 0.5) - s / 2
    if abs(dx) > half:
        return None
    if abs(dx) > half - max(1.0, s / 32):
        return (60, 30, 10)
    for hoop in (0.22, 0.50, 0.78):
        if abs((y + 0.5) - s * hoop) < max(0.6, s / 24):
            return (70, 70, 80)
    if abs(y + 0.5 - top) < 1 or abs(y + 0.5 - bottom) < 1:
        return (60, 30, 10)
    stave = int((dx + half) / max(2, s / 8)) % 2
    shade = 1.25 if dx < -half * 0.3 else 1.0
    base = (170, 100, 45) if stave else (150, 85, 35)
    return tuple(min(255, int(c * shade)) for c in base)


def placeholder(x, y, s):
    edge = x in (1, s - 2) or y in (1, s - 2)
    if edge and 1 <= x <= s - 2 and 1 <= y <= s - 2:
        return (90, 90, 90) if ((x + y) // max(2, s // 8)) % 2 == 0 else None
    return None


def project(x, y, s):
    margin = max(1, s // 8)
    inside = margin <= x <= s - 1 - margin and 1 <= y <= s - 2
    if not inside:
        return None
    if x in (margin, s - 1 - margin) or y in (1, s - 2):
        return (0, 0, 0)
    sub = s // 2
    bx, by = x - (s - sub) // 2, y - (s - sub) // 2 - 1
    if 0 <= bx < sub and 0 <= by < sub:
        colour = barrel(bx, by, sub)
        if colour:
            return colour
    if y % max(3, s // 8) == 0 and margin + 2 <= x <= s - 3 - margin:
        return (160, 160, 200)
    return (255, 255, 255)


def icon_image(picture, size):
    xor = bytearray()
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        bits = bytearray(mask_row)
        for x in range(size):
            colour = picture(x, y, size)
            if colour is None:
                xor += bytes(4)
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                r, g, b = colour
                xor += bytes((b, g, r, 255))
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def write_icon(path, picture, sizes=(32, 16)):
    images = [icon_image(picture, s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    Path(path).write_bytes(out + b''.join(images))


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    write_toolbar(out / 'toolbar.bmp')
    write_icon(out / 'program.ico', barrel)
    write_icon(out / 'small.ico', barrel, (16, 32))
    write_icon(out / 'large_placeholder.ico', placeholder)
    write_icon(out / 'small_placeholder.ico', placeholder, (16, 32))
    write_icon(out / 'project.ico', project)


if __name__ == '__main__':
    main()
