#!/usr/bin/python3
"""Reads the built launcher stubs with pefile, an independent PE reader, and
checks them as the template a builder copies: machine type, GUI subsystem
(console for stub12c.exe, stub12's console twin), the mode marker
"standard" at resource 1000/1 (language 0), the application manifest at
24/1 (language 0: well-formed, run as the caller, PerMonitorV2 with the
true/pm fallback, Vista to Windows 10/11, long paths, no code page), icon
group 101 with icon 1 (language 1033) holding stubs/stub.ico, no version
resource, no block resource, no MinGW runtime DLLs, and a file that ends
with four zero bytes (an empty parameter trailer) right after the image.

  check_stub_images.py FOLDER:MACHINE [FOLDER:MACHINE ...]   (MACHINE: AMD64 or I386)
"""
import os
import struct
import sys
import xml.etree.ElementTree as ElementTree

import pefile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import pe_resources  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
ICON = os.path.join(HERE, "..", "..", "stubs", "stub.ico")
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "advapi32.dll", "msvcrt.dll", "comdlg32.dll"}
WINDOWS_10 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"
WINDOWS_VISTA = "{e2011457-1546-43c5-a5fe-008deee3d3f0}"


def manifest_problems(data):
    if data is None:
        return ["no manifest at 24/1/0"]
    try:
        root = ElementTree.fromstring(data)
    except ElementTree.ParseError as e:
        return ["manifest is not well-formed: %s" % e]
    values = {}
    for element in root.iter():
        tag = element.tag.split("}")[-1]
        values.setdefault(tag, []).append((element.attrib, (element.text or "").strip()))
    problems = []
    if [a.get("level") for a, _ in values.get("requestedExecutionLevel", [])] != ["asInvoker"]:
        problems.append("execution level is not asInvoker")
    systems = [a.get("Id") for a, _ in values.get("supportedOS", [])]
    if WINDOWS_10 not in systems or WINDOWS_VISTA not in systems:
        problems.append("supportedOS %r lacks Vista or Windows 10" % systems)
    for tag, text in (("dpiAwareness", "PerMonitorV2"), ("dpiAware", "true/pm"), ("longPathAware", "true")):
        if [t for _, t in values.get(tag, [])] != [text]:
            problems.append("%s is not %s" % (tag, text))
    if "activeCodePage" in values:
        problems.append("activeCodePage present")
    return problems


def check(path, machine, console):
    problems = []
    pe = pefile.PE(path)
    if pe.get_warnings():
        problems.append("pefile warnings: %r" % pe.get_warnings())
    expected_machine = pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_" + machine]
    if pe.FILE_HEADER.Machine != expected_machine:
        problems.append("machine 0x%x, expected %s" % (pe.FILE_HEADER.Machine, machine))
    subsystem = "IMAGE_SUBSYSTEM_WINDOWS_" + ("CUI" if console else "GUI")
    if pe.OPTIONAL_HEADER.Subsystem != pefile.SUBSYSTEM_TYPE[subsystem]:
        problems.append("subsystem %d is not %s" % (pe.OPTIONAL_HEADER.Subsystem, subsystem))
    res = pe_resources(pe)
    problems += manifest_problems(res.get((24, 1, 0)))
    if res.get((1000, 1, 0)) != b"standard":
        problems.append("marker 1000/1/0 is %r" % res.get((1000, 1, 0)))
    if any(k[0] == 1000 and k[1] != 1 for k in res):
        problems.append("unexpected block resource")
    if any(k[0] == 16 for k in res):
        problems.append("version resource present")
    with open(ICON, "rb") as f:
        ico = f.read()
    _, _, count = struct.unpack_from("<HHH", ico, 0)
    width, height, colors, _, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", ico, 6)
    group = res.get((14, 101, 1033))
    expected_group = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHIH", width, height, colors, 0, planes, bits,
                                                                 size, 1)
    if group != expected_group:
        problems.append("icon group 101/1033 is %r, expected %r" % (group, expected_group))
    if res.get((3, 1, 1033)) != ico[offset:offset + size]:
        problems.append("icon 1/1033 differs from stub.ico")
    if count != 1 or (width, height) != (32, 32):
        problems.append("stub.ico is not one 32x32 image")
    dlls = {entry.dll.decode().lower() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])}
    if not dlls <= SYSTEM_DLLS:
        problems.append("imports beyond system DLLs: %s" % sorted(dlls - SYSTEM_DLLS))
    overlay = pe.get_overlay()
    if overlay != b"\0\0\0\0":
        problems.append("data after the image is %r, expected four zero bytes" % (overlay[:16] if overlay else overlay))
    return problems


def main():
    failed = False
    for item in sys.argv[1:]:
        folder, machine = item.rsplit(":", 1)
        for name in ("stub11.exe", "stub12.exe", "stub12c.exe"):
            path = os.path.join(folder, name)
            if not os.path.exists(path):
                print("FAIL %s: missing (build the stub11, stub12 and stub12c targets)" % path)
                failed = True
                continue
            problems = check(path, machine, name == "stub12c.exe")
            print(("ok   " if not problems else "FAIL ") + path + " (%d bytes)" % os.path.getsize(path))
            for p in problems:
                print("     " + p)
            failed |= bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
