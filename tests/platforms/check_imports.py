#!/usr/bin/python3
"""Reads the import table of a 32-bit Windows program with pefile and fails
on every imported function that is not in the list of Windows 95 and NT 4.0
exports kept beside this script, and on a subsystem version above 4.0 (the
loaders of both systems refuse such images).

    check_imports.py EXPORTS_LIST PROGRAM.exe
"""
import sys

import pefile


def read_exports(path):
    exports = {}
    section = None
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            if line.startswith("["):
                section = exports.setdefault(line.strip("[]").upper(), set())
            elif section is not None:
                section.add(line.split()[0])
    return exports


def main():
    exports_path, program = sys.argv[1:3]
    exports = read_exports(exports_path)
    pe = pefile.PE(program)
    problems = []
    if pe.FILE_HEADER.Machine != pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"]:
        problems.append("not a 32-bit x86 program")
    version = (pe.OPTIONAL_HEADER.MajorSubsystemVersion, pe.OPTIONAL_HEADER.MinorSubsystemVersion)
    if version > (4, 0):
        problems.append("subsystem version %d.%d (Windows 95 and NT 4.0 load 4.0 at most)" % version)
    count = 0
    for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []):
        dll = entry.dll.decode("ascii").upper()
        known = exports.get(dll)
        for imported in entry.imports:
            count += 1
            name = imported.name.decode("ascii") if imported.name else "#%d" % imported.ordinal
            if known is None:
                problems.append("%s: the whole DLL is not on the list (%s)" % (dll, name))
            elif name not in known:
                problems.append("%s!%s is not exported by Windows 95 and NT 4.0" % (dll, name))
    for problem in problems:
        print("FAIL " + problem)
    print("%s: %d imports, %d problems" % (program, count, len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
