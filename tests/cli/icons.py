"""A small .ico file for the tests: 32 x 32 and 16 x 16 images of 8 bits
per pixel (header with doubled height, 256-colour palette, colour rows,
mask rows), so that both icon slots take an image over unchanged."""
import struct


def icon_image(size, seed):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, 0, 0, 0, 0, 0)
    palette = b"".join(struct.pack("<BBBB", (i * 7 + seed) & 255, (i * 3) & 255, (255 - i) & 255, 0)
                       for i in range(256))
    colour = bytes(((x ^ y) + seed) & 255 for y in range(size) for x in range(size))
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(0xF0 if y % 4 == 0 else 0 for y in range(size) for _ in range(mask_row))
    return header + palette + colour + mask


def icon_file():
    """Returns (file bytes, [32 x 32 image, 16 x 16 image])."""
    images = [icon_image(32, 11), icon_image(16, 99)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for img, size in zip(images, (32, 16)):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(img), offset)
        offset += len(img)
    return out + b"".join(images), images


def _png(size, seed):
    """A real RGBA PNG of size x size pixels (zlib data and chunk CRCs), as
    a current icon editor stores a 256-pixel image."""
    import zlib

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    rows = b"".join(b"\0" + bytes(v for x in range(size)
                                  for v in ((x * 3 + seed) & 255, (y * 5) & 255, ((x ^ y) + seed) & 255,
                                            255 if (x // 16 + y // 16) % 3 else 96))
                    for y in range(size))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def _bgra_image(size, seed):
    """A 32-bit image with alpha in resource form: header with doubled
    height, BGRA rows bottom first, an all-clear mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytes(v for y in range(size) for x in range(size)
                   for v in (((x + seed) * 7) & 255, ((y + seed) * 11) & 255, ((x * y) + seed) & 255,
                             255 if (x + y) % 5 else 128))
    return header + colour + bytes(((size + 31) // 32) * 4 * size)


def full_icon_file():
    """A .ico as current tools write it: 16, 32 and 48 pixels in 32-bit
    colour with alpha, and a PNG-compressed 256-pixel image, each picture
    different. Returns (file bytes, [images in file order])."""
    images = [_bgra_image(16, 1), _bgra_image(32, 2), _bgra_image(48, 3), _png(256, 4)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for img, size in zip(images, (16, 32, 48, 256)):
        out += struct.pack("<BBBBHHII", size & 255, size & 255, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    return out + b"".join(images), images
