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
