#!/usr/bin/python3
"""Checks the icon resources the Wine test wrote into its sample programs,
with pefile as an independent reader."""
import os
import sys

import pefile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import pe_resources  # noqa: E402

RT_ICON, RT_GROUP_ICON = 3, 14


def resources(path):
    pe = pefile.PE(path)
    return pe, pe_resources(pe)


def main(out):
    failures = []

    def check(ok, what):
        print(("ok   " if ok else "FAIL ") + what)
        if not ok:
            failures.append(what)

    def read(name):
        with open(os.path.join(out, name), "rb") as f:
            return f.read()

    large, small = read("large.bin"), read("small.bin")
    check(len(large) == 2216 and len(small) == 1384, "image files are 2216 and 1384 bytes")

    pe, res = resources(os.path.join(out, "both.exe"))
    check(pe.get_warnings() == [], "both.exe: no pefile warnings")
    check(res.get((RT_ICON, 0, 0)) == large, "both.exe: RT_ICON 0 language 0 holds the large image")
    check(res.get((RT_ICON, 1, 0)) == small, "both.exe: RT_ICON 1 language 0 holds the small image")
    check(res.get((RT_GROUP_ICON, 0, 0)) == read("group_both.bin"), "both.exe: RT_GROUP_ICON 0 language 0")
    check(res.get((1000, 1, 0)) == b"standard", "both.exe: its own resource is kept")
    icons = sorted(k for k in res if k[0] in (RT_ICON, RT_GROUP_ICON))
    check(icons == [(RT_ICON, 0, 0), (RT_ICON, 1, 0), (RT_GROUP_ICON, 0, 0)], "both.exe: no other icons")
    group = res.get((RT_GROUP_ICON, 0, 0), b"")
    check(group[:6] == b"\0\0\1\0\2\0", "both.exe: group lists two icons")

    pe, res = resources(os.path.join(out, "small.exe"))
    check(pe.get_warnings() == [], "small.exe: no pefile warnings")
    icons = sorted(k for k in res if k[0] in (RT_ICON, RT_GROUP_ICON))
    check(icons == [(RT_ICON, 1, 0), (RT_GROUP_ICON, 0, 0)], "small.exe: RT_ICON 1 and group 0 only")
    check(res.get((RT_ICON, 1, 0)) == small, "small.exe: RT_ICON 1 holds the small image")
    group = res.get((RT_GROUP_ICON, 0, 0), b"")
    check(group == read("group_small.bin") and len(group) == 20 and group[18:20] == b"\1\0",
          "small.exe: group with one entry, id 1")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
