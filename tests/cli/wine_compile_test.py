"""caskit.exe under Wine: compiles projects with the real Win32 resource
update; pefile checks the produced executable's resources; the produced
program runs with the stand-in jvm.dll, whose log shows the settings. The
Linux-built caskit's Windows executable (trailer form) runs the same way.

    wine_compile_test.py WINE_RUN CASKIT_EXE STANDINS WORK [HOST_CASKIT WIN_STUBS]"""
import os
import shutil
import struct
import sys

import pefile

from icons import icon_file

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import (Checks, block_lines, fresh_folder, pe_resources, run_to_files, trailer_block,  # noqa: E402
                         winpath as win)

WINE_RUN, CASKIT_EXE, STANDINS, WORK = sys.argv[1:5]
HOST_CASKIT = sys.argv[5] if len(sys.argv) > 5 else ""
WIN_STUBS = sys.argv[6] if len(sys.argv) > 6 else ""
RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16
check = Checks()


def wine(*args, native=False):
    """Runs a program (under Wine unless native); output goes through files,
    since a wineserver started on the way would hold pipes open."""
    return run_to_files(list(args) if native else [WINE_RUN] + list(args), WORK, timeout=120)


def resources(path):
    """{(type, id, language): bytes} of every resource of a PE file."""
    pe = pefile.PE(path)
    check(not pe.get_warnings(), "pefile warnings for %s: %s" % (path, pe.get_warnings()))
    return pe_resources(pe)


def version_strings(path):
    pe = pefile.PE(path)
    strings = {}
    for info in getattr(pe, "FileInfo", []):
        for entry in info:
            for table in getattr(entry, "StringTable", []):
                check(table.LangID == b"040904B0", "string table key %r" % table.LangID)
                strings.update({k.decode("latin-1"): v.decode("latin-1") for k, v in table.entries.items()})
    fixed = pe.VS_FIXEDFILEINFO[0]
    return strings, fixed


def standin_log(folder):
    path = os.path.join(folder, "standin.log")
    return open(path, "rb").read().decode("latin-1").splitlines() if os.path.exists(path) else []


def expect_lines(log, lines, what):
    for line in lines:
        check(line in log, "%s: log lacks %r" % (what, line))


def new_project(caskit, path, out_folder, native=False, extra=()):
    args = [caskit, "new", path if native else win(path), "--jdk", "2.0", "--exe-name", "hello.exe",
            "--exe-folder", out_folder, "--vm-library", out_folder + "jvm.dll", "--main-class", "hello.Main",
            "--arguments", "configured \"two words\"", "--class-path", "C:\\apps\\hello.jar",
            "--property", "hello.greeting=Hi", "--env", "HELLO_MODE=fast", "--min-heap", "2048",
            "--max-heap", "65536"] + list(extra)
    rc, out, err = wine(*args, native=native)
    check(rc == 0, "caskit new: rc %d %s" % (rc, err))


def expected_block(out_folder):
    return block_lines([
        "binarypath", out_folder + "jvm.dll", "classname", "hello.Main", "parameters", "configured \"two words\"",
        "appendcp", "environment", "1", "HELLO_MODE", "fast", "classpath", "1", "C:\\apps\\hello.jar",
        "properties", "1", "hello.greeting=Hi", "noasyncgc", "1", "noclassgc", "1", "verifyremote",
        "disablejit", "1", "console", "0", "routeconsole", "0", "minheap", "2048", "maxheap", "65536",
        "maxcstack", "128", "maxjavastack", "512"])


def run_produced(exe, folder, what):
    """Runs a produced program; the stand-in VM's log must show every
    setting of the project arriving through the launcher."""
    if os.path.exists(os.path.join(folder, "standin.log")):
        os.remove(os.path.join(folder, "standin.log"))
    rc, out, err = wine(exe, "first")
    check(rc == 0, "%s: produced program ended with exit code %d" % (what, rc))
    log = standin_log(folder)
    check(bool(log), "%s: the stand-in VM wrote no log (%s)" % (what, err[-500:]))
    options = [l.split("=", 1)[1] for l in log if l.startswith("option[")]
    class_path = [o for o in options if o.startswith("-Djava.class.path=")]
    check(class_path and "C:\\apps\\hello.jar" in class_path[0].split("=", 1)[1].split(";"),
          "%s: class path option %r" % (what, class_path))
    for option in ("-Xms2048k", "-Xmx65536k", "-Dhello.greeting=Hi"):
        check(option in options, "%s: option %s missing from %r" % (what, option, options))
    expect_lines(log, ["FindClass hello/Main", "GetStaticMethodID hello/Main main ([Ljava/lang/String;)V",
                       "NewObjectArray 3 java/lang/String null", "SetObjectArrayElement 0 first",
                       "SetObjectArrayElement 1 configured", "SetObjectArrayElement 2 two words",
                       "  args[0]=first", "  args[1]=configured", "  args[2]=two words", "DestroyJavaVM"], what)
    check(any(l.startswith("CallStaticVoidMethod hello/Main.main") for l in log), "%s: main not called" % what)
    return log


def test_resource_form():
    folder = os.path.join(WORK, "resources")
    os.makedirs(folder)
    out_folder = win(folder) + "\\"
    ico, images = icon_file()
    open(os.path.join(folder, "app.ico"), "wb").write(ico)
    shutil.copy(os.path.join(STANDINS, "jvm.dll"), folder)
    project = os.path.join(folder, "hello.csk")
    new_project(CASKIT_EXE, project, out_folder, extra=[
        "--version-info", "on", "--file-version", "1.2.3.4", "--product-version", "5.6.7.8",
        "--company", "Tallowmark", "--copyright", "(c) 2026",
        "--trademarks", "TM", "--comments", "", "--large-icon", win(os.path.join(folder, "app.ico")),
        "--small-icon", win(os.path.join(folder, "app.ico"))])
    rc, out, err = wine(CASKIT_EXE, "compile", win(project))
    check(rc == 0 and err == "", "caskit.exe compile: rc %d %r" % (rc, err))
    exe = os.path.join(folder, "hello.exe")
    res = resources(exe)
    check(res.get((1000, 1, 0)) == b"resbased", "marker 1000/1 is %r" % res.get((1000, 1, 0)))
    check(res.get((1000, 2, 0)) == expected_block(out_folder), "block 1000/2: %r" % res.get((1000, 2, 0)))
    check((RT_VERSION, 1, 0) in res, "RT_VERSION 1 language 0 present")
    check(res.get((RT_ICON, 0, 0)) == images[0], "RT_ICON 0 is the 32 x 32 image")
    check(res.get((RT_ICON, 1, 0)) == images[1], "RT_ICON 1 is the 16 x 16 image")
    group = res.get((RT_GROUP_ICON, 0, 0), b"")
    check(group[:6] == struct.pack("<HHH", 0, 1, 2), "group 0 header %r" % group[:6])
    entries = [struct.unpack("<BBBBHHIH", group[6 + 14 * k:20 + 14 * k]) for k in range(2)]
    check(entries == [(32, 32, 0, 0, 1, 8, 2216, 0), (16, 16, 0, 0, 1, 8, 1384, 1)], "group entries %r" % entries)
    check((RT_GROUP_ICON, 101, 1033) in res and (RT_ICON, 1, 1033) in res, "the stub's own icons remain")
    ours = [k for k in res if k[0] in (1000, RT_VERSION) or (k[0] in (RT_ICON, RT_GROUP_ICON) and k[2] == 0)]
    check(all(k[2] == 0 for k in ours), "all added resources are language 0")
    check(trailer_block(open(exe, "rb").read()) is None, "no trailer in the resource form")

    strings, fixed = version_strings(exe)
    check(strings.get("CompanyName") == "Tallowmark", "CompanyName %r" % strings.get("CompanyName"))
    check(strings.get("FileDescription") == "hello.exe, built by Tallowmark Inc's, Caskit", "FileDescription")
    check(strings.get("FileVersion") == "1.2.3.4" and strings.get("ProductVersion") == "5.6.7.8", "versions")
    check(strings.get("ProductName") == "hello.exe" and strings.get("Comments") == "", "ProductName, Comments")
    check(strings.get("LegalCopyright") == "(c) 2026", "LegalCopyright %r" % strings.get("LegalCopyright"))
    check((fixed.FileVersionMS, fixed.FileVersionLS) == (0x10002, 0x30004), "fixed file version")
    check((fixed.ProductVersionMS, fixed.ProductVersionLS) == (0x50006, 0x70008), "fixed product version")

    run_produced(exe, folder, "resource form")

    # A second compile to the same path leaves nothing of the first.
    second = os.path.join(folder, "second.csk")
    rc, out, err = wine(CASKIT_EXE, "new", win(second), "--jdk", "2.0", "--exe-name", "hello.exe",
                        "--exe-folder", out_folder, "--main-class", "other.Start")
    rc, out, err = wine(CASKIT_EXE, "compile", win(second))
    check(rc == 0, "second compile: %d %s" % (rc, err))
    res = resources(exe)
    check(b"classname\nother.Start\n" in res.get((1000, 2, 0), b""), "second block")
    leftovers = [k for k in res if k[0] == RT_VERSION or (k[0] in (RT_ICON, RT_GROUP_ICON) and k[2] == 0)]
    check(not leftovers, "resources of the first compile survived: %r" % leftovers)

    # JDK 1.1 projects take stub11.
    old = os.path.join(folder, "old.csk")
    wine(CASKIT_EXE, "new", win(old), "--jdk", "1.1", "--exe-name", "old.exe", "--exe-folder", out_folder,
         "--main-class", "Main")
    rc, out, err = wine(CASKIT_EXE, "compile", win(old))
    check(rc == 0, "JDK 1.1 compile: %d %s" % (rc, err))
    stub11 = open(os.path.join(os.path.dirname(CASKIT_EXE), "stubs", "windows-x64", "stub11.exe"), "rb").read()
    check(resources(os.path.join(folder, "old.exe")).get((1000, 1, 0)) == b"resbased", "JDK 1.1 marker")
    check(open(os.path.join(folder, "old.exe"), "rb").read()[:64] == stub11[:64], "JDK 1.1 uses stub11")

    # An uncreatable target: the system's error text (which ends in CR LF)
    # as one line on standard error, exit code 1.
    rc, out, err = wine(CASKIT_EXE, "compile", win(old), "--out", out_folder + "no\\such\\old.exe")
    lines = err.replace("\r\n", "\n").split("\n")
    check(rc == 1 and len(lines) == 2 and lines[1] == "" and "\r" not in lines[0] and
          lines[0].startswith("Error Compiling Executable: ") and not lines[0].endswith(" ") and
          len(lines[0]) > len("Error Compiling Executable: "), "uncreatable target: %d %r" % (rc, err))


def test_trailer_form():
    if not HOST_CASKIT or not os.path.exists(HOST_CASKIT):
        print("note: no Linux caskit at %r; trailer form not tested" % HOST_CASKIT)
        return
    folder = os.path.join(WORK, "trailer")
    os.makedirs(folder)
    out_folder = win(folder) + "\\"
    shutil.copy(os.path.join(STANDINS, "jvm.dll"), folder)
    project = os.path.join(folder, "hello.csk")
    new_project(HOST_CASKIT, project, out_folder, native=True)
    exe = os.path.join(folder, "hello.exe")
    rc, out, err = wine(HOST_CASKIT, "compile", project, "--target", "windows-x64", "--stubs", WIN_STUBS,
                        "--out", exe, native=True)
    check(rc == 0, "Linux caskit compile: %d %s" % (rc, err))
    data = open(exe, "rb").read()
    check(trailer_block(data) == expected_block(out_folder), "trailer holds the block")
    check(resources(exe).get((1000, 1, 0)) == b"standard", "marker stays standard")
    run_produced(exe, folder, "trailer form")


def main():
    fresh_folder(WORK)
    test_resource_form()
    test_trailer_form()
    return check.result()


if __name__ == "__main__":
    sys.exit(main())
