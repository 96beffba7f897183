"""A Windows zip as a user gets it: its folder and files, the version
resources of Caskit2.exe and caskit.exe (none in the stubs), the stubs
Caskit2.exe carries (those of the zip), and, where
Windows programs run (under Wine), caskit.exe run from the zip unpacked
into a folder whose name holds a blank and a non-ASCII character:
--version, and `new` + `compile` with the stubs beside it.

    zip_test.py ZIP VERSION ARCH [WINE_RUN WORK]"""
import os
import shutil
import sys
import zipfile

import pefile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import Checks, fresh_folder, pe_resources, run_to_files, winpath  # noqa: E402

ZIP, VERSION, ARCH = sys.argv[1:4]
WINE_RUN, WORK = (sys.argv[4:6] + ["", ""])[:2]
TOP = "caskit-%s-windows-%s/" % (VERSION, ARCH)
FILES = {"Caskit2.exe", "caskit.exe", "Caskit.html", "README.txt",
         "stubs/windows-x64/stub11.exe", "stubs/windows-x64/stub12.exe",
         "stubs/windows-x86/stub11.exe", "stubs/windows-x86/stub12.exe", "stubs/linux-x64/stub12",
         "stubs/windows-x64/stub12c.exe", "stubs/windows-x86/stub12c.exe"}
MACHINE = {"x64": 0x8664, "x86": 0x14C}[ARCH]
RT_VERSION = 16
check = Checks()


def version_resource(name, data):
    """Checks the version resource of a program of the zip."""
    pe = pefile.PE(data=data)
    check(pe.FILE_HEADER.Machine == MACHINE, "%s: machine %#x" % (name, pe.FILE_HEADER.Machine))
    strings = {}
    for info in getattr(pe, "FileInfo", []):
        for entry in info:
            for table in getattr(entry, "StringTable", []):
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    check(strings.get("FileVersion") == VERSION and strings.get("ProductVersion") == VERSION
          and strings.get("OriginalFilename") == name and strings.get("ProductName") == "Caskit",
          "%s: version strings %r" % (name, strings))
    fixed = pe.VS_FIXEDFILEINFO[0] if hasattr(pe, "VS_FIXEDFILEINFO") else None
    major, minor, patch = (int(p) for p in VERSION.split("."))
    expected = ((major << 16) | minor, patch << 16)
    check(fixed is not None and (fixed.FileVersionMS, fixed.FileVersionLS) == expected
          and (fixed.ProductVersionMS, fixed.ProductVersionLS) == expected, "%s: fixed version" % name)


def read_zip():
    with zipfile.ZipFile(ZIP) as z:
        names = [n for n in z.namelist() if not n.endswith("/")]
        check(all(n.startswith(TOP) for n in names), "everything in %s: %r" % (TOP, names))
        found = {n[len(TOP):] for n in names}
        check(found == FILES, "files: missing %r, unexpected %r" % (FILES - found, found - FILES))
        for name in ("Caskit2.exe", "caskit.exe"):
            if name in found:
                version_resource(name, z.read(TOP + name))
        if "Caskit2.exe" in found:
            # The builder (stripped for the zip) still carries the zip's stubs.
            embedded = pe_resources(pefile.PE(data=z.read(TOP + "Caskit2.exe")))
            for rid, stub in ((113, "stub11.exe"), (114, "stub12.exe"), (115, "stub12c.exe")):
                path = TOP + "stubs/windows-%s/%s" % (ARCH, stub)
                check(embedded.get(("EXE", rid, 1033)) == z.read(path), "Caskit2.exe's EXE %d is not %s" % (rid, path))
        for name in found:
            if name.startswith("stubs/") and name.endswith(".exe"):
                stub = pefile.PE(data=z.read(TOP + name))
                check(RT_VERSION not in {key[0] for key in pe_resources(stub)}, name + " has a version resource")
        readme = z.read(TOP + "README.txt") if "README.txt" in found else b""
        check(b"Caskit %s for Windows (%s)\r\n" % (VERSION.encode(), ARCH.encode()) in readme
              and b"\n" not in readme.replace(b"\r\n", b""), "README.txt: first line and CRLF line ends")


def run_unpacked():
    """caskit.exe from the zip unpacked into "Tools für Java/" under Wine."""
    folder = os.path.join(fresh_folder(WORK), "Tools f\u00fcr Java")
    with zipfile.ZipFile(ZIP) as z:
        z.extractall(folder)
    home = os.path.join(folder, TOP)
    caskit = winpath(os.path.join(home, "caskit.exe"))
    logs = fresh_folder(os.path.join(WORK, "logs"))

    def caskit_run(*args):
        return run_to_files([WINE_RUN, caskit] + list(args), logs, timeout=120)

    for command in ("--version", "version"):
        rc, out, err = caskit_run(command)
        check(rc == 0 and out.replace("\r\n", "\n") == "caskit %s\n" % VERSION,
              "caskit.exe %s: rc %d %r %r" % (command, rc, out, err))
    project = os.path.join(folder, "app.csk")
    os.makedirs(os.path.join(folder, "out"))
    rc, out, err = caskit_run("new", winpath(project), "--jdk", "2.0", "--main-class", "hello.Main",
                              "--exe-name", "app.exe", "--exe-folder", "out", "--class-path", "app.jar")
    check(rc == 0, "caskit.exe new: rc %d %s" % (rc, err))
    rc, out, err = caskit_run("compile", winpath(project), "--target", "windows-" + ARCH)
    check(rc == 0 and err == "", "caskit.exe compile: rc %d %s" % (rc, err))
    produced = os.path.join(folder, "out", "app.exe")
    if os.path.exists(produced):
        resources = pe_resources(pefile.PE(produced))
        check((1000, 1, 0) in resources and (1000, 2, 0) in resources,
              "the compiled program has its settings as resources: %r" % sorted(resources))
    else:
        check(False, "caskit.exe compile wrote no %s" % produced)
    shutil.rmtree(WORK, ignore_errors=True)


read_zip()
if WINE_RUN:
    run_unpacked()
sys.exit(check.result())
