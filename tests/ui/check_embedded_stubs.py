#!/usr/bin/env python3
"""Checks with an independent PE reader that Caskit2.exe carries the stubs
of its own build tree: "EXE" 113 is stub11.exe, "EXE" 114 is stub12.exe and
"EXE" 115 its console twin stub12c.exe, byte for byte, built for the same machine as the builder.
   check_embedded_stubs.py CASKIT2_EXE STUB_DIR
"""
import sys

import pefile


def main():
    builder_path, stub_dir = sys.argv[1], sys.argv[2]
    builder = pefile.PE(builder_path)
    machine = builder.FILE_HEADER.Machine
    found = {}
    for kind in builder.DIRECTORY_ENTRY_RESOURCE.entries:
        if str(kind.name) != 'EXE':
            continue
        for entry in kind.directory.entries:
            data = entry.directory.entries[0].data.struct
            found[entry.id] = builder.get_data(data.OffsetToData, data.Size)
    failures = 0
    for rid, name in ((113, 'stub11.exe'), (114, 'stub12.exe'), (115, 'stub12c.exe')):
        with open(f'{stub_dir}/{name}', 'rb') as f:
            expected = f.read()
        embedded = found.get(rid)
        if embedded != expected:
            print(f'FAIL EXE {rid} is not {name} of this tree')
            failures += 1
            continue
        stub_machine = pefile.PE(data=embedded).FILE_HEADER.Machine
        if stub_machine != machine:
            print(f'FAIL EXE {rid} machine {stub_machine:#x}, builder {machine:#x}')
            failures += 1
        else:
            print(f'ok   EXE {rid} = {name} ({len(embedded)} bytes, machine {machine:#x})')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
