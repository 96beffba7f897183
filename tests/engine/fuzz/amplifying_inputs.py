"""Writes the PE files of the resource-reader fuzz corpus whose resource
trees claim far more than their section holds: read without bounds, each
turns a few tens of kilobytes into millions of table entries or hundreds of
megabytes of names. The reader must refuse every one of them at once.

    amplifying_inputs.py CORPUS_DIR

- amplify-overlapping-directories: 500 language directories, 8 bytes
  apart, share one run of entries; each lists 4040 languages, all pointing
  to one empty data entry (2 million resources).
- amplify-shared-name: 500 types named by one 16,000-character name.
- amplify-shared-data-entry: 8,000 languages of one resource share one
  data entry."""
import os
import struct
import sys

SECTION_RVA = 0x2000
DIR = 0x80000000


def pe_with_resources(tree):
    """A PE32+ image: headers, a code section, and a resource section that
    starts with `tree`."""
    raw_size = (len(tree) + 0x1FF) & ~0x1FF
    sections = [(b".text", 0x1000, 0x30, 0x200, 0x200, 0x60000020),
                (b".rsrc", SECTION_RVA, len(tree), 0x400, raw_size, 0x40000040)]
    image_size = (SECTION_RVA + len(tree) + 0xFFF) & ~0xFFF
    opt = struct.pack("<HBBIIIII", 0x20B, 0, 0, 0x200, raw_size, 0, 0x1000, 0x1000)
    opt += struct.pack("<QIIHHHHHHIIIIHHQQQQII", 0x140000000, 0x1000, 0x200, 6, 0, 0, 0, 6, 0, 0,
                       image_size, 0x200, 0, 2, 0, 0x100000, 0x1000, 0x100000, 0x1000, 0, 16)
    opt += b"".join(struct.pack("<II", SECTION_RVA, len(tree)) if i == 2 else bytes(8) for i in range(16))
    head = b"MZ" + bytes(0x3A) + struct.pack("<I", 0x40) + b"PE\0\0"
    head += struct.pack("<HHIIIHH", 0x8664, len(sections), 0, 0, 0, len(opt), 0x22) + opt
    for name, rva, vsize, raw, size, flags in sections:
        head += name.ljust(8, b"\0") + struct.pack("<IIIIIIHHI", vsize, rva, size, raw, 0, 0, 0, 0, flags)
    return head.ljust(0x200, b"\0") + b"\xC3" * 0x30 + bytes(0x1D0) + tree.ljust(raw_size, b"\0")


def directory(entries, named=0):
    return struct.pack("<IIHHHH", 0, 0, 0, 0, named, len(entries) - named) + \
        b"".join(struct.pack("<II", n, t) for n, t in entries)


def empty_data_entry():
    return struct.pack("<IIII", SECTION_RVA, 0, 0, 0)


def overlapping_directories(types=500):
    # The name directory's entries point to language directories 8 bytes
    # apart in a run of cells (language j, data entry): each directory's
    # header is two cells, and its entry count is the second cell's data
    # entry offset, which is also how far into the section that entry lies.
    data_at = 24 + 16 + 8 * types
    cells_at = data_at + 16
    tree = directory([(1, DIR | 24)])
    tree += directory([(k, DIR | (cells_at + 8 * k)) for k in range(types)])
    tree += empty_data_entry()
    tree += b"".join(struct.pack("<II", j, data_at) for j in range(types + data_at + 2))
    return tree


def shared_name(types=500, length=16000):
    # Every type directory and language directory is its own; only the
    # type name is shared.
    type_dirs = 16 + 8 * types
    lang_dirs = type_dirs + 24 * types
    data_at = lang_dirs + 24 * types
    name_at = data_at + 16
    tree = directory([(DIR | name_at, DIR | (type_dirs + 24 * k)) for k in range(types)], named=types)
    tree += b"".join(directory([(k, DIR | (lang_dirs + 24 * k))]) for k in range(types))
    tree += b"".join(directory([(0, data_at)]) for _ in range(types))
    tree += empty_data_entry() + struct.pack("<H", length) + "N".encode("utf-16-le") * length
    return tree


def shared_data_entry(languages=8000):
    data_at = 24 + 24 + 16 + 8 * languages
    tree = directory([(10, DIR | 24)]) + directory([(1, DIR | 48)])
    tree += directory([(j, data_at) for j in range(languages)]) + empty_data_entry()
    return tree


def main():
    folder = sys.argv[1]
    for name, tree in (("amplify-overlapping-directories", overlapping_directories()),
                       ("amplify-shared-name", shared_name()),
                       ("amplify-shared-data-entry", shared_data_entry())):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(pe_with_resources(tree))


if __name__ == "__main__":
    main()
