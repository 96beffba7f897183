"""caskit.exe under Wine: compiles projects with the real Win32 resource
update; pefile checks the produced executable's resources; the produced
program runs with the stand-in jvm.dll, whose log shows the settings. The
Linux-built caskit writes the same resources with its portable editor
(compared entry by entry, read back by Wine's loader and by wrestool), and
its executables, in both forms, still run when signed with osslsigncode;
a stub signed with osslsigncode loses its signature when compiled.

    wine_compile_test.py WINE_RUN CASKIT_EXE STANDINS WORK PROBE [HOST_CASKIT WIN_STUBS]"""
import os
import shutil
import struct
import subprocess
import sys

import pefile

from icons import icon_file
from projectfile import read_project

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import (Checks, block_lines, fresh_folder, pe_resources, run_to_files, sign_executable,  # noqa: E402
                         trailer_block, version_strings as block_strings, winpath as win)

WINE_RUN, CASKIT_EXE, STANDINS, WORK, PROBE = sys.argv[1:6]
HOST_CASKIT = sys.argv[6] if len(sys.argv) > 6 else ""
WIN_STUBS = sys.argv[7] if len(sys.argv) > 7 else ""
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
    strings = block_strings(pe)
    check(strings.pop("(table)", None) == "040904B0", "string table key")
    return strings, pe.VS_FIXEDFILEINFO[0]


def standin_log(folder):
    path = os.path.join(folder, "standin.log")
    return open(path, "rb").read().decode("latin-1").splitlines() if os.path.exists(path) else []


def expect_lines(log, lines, what):
    for line in lines:
        check(line in log, "%s: log lacks %r" % (what, line))


def new_project(caskit, path, out_folder, native=False, extra=(), exe_folder=None, cwd=None):
    args = [caskit, "new", path if native else win(path), "--jdk", "2.0", "--exe-name", "hello.exe",
            "--exe-folder", exe_folder or out_folder, "--vm-library", out_folder + "jvm.dll",
            "--main-class", "hello.Main",
            "--arguments", "configured \"two words\"", "--class-path", "C:\\apps\\hello.jar",
            "--property", "hello.greeting=Hi", "--env", "HELLO_MODE=fast", "--min-heap", "2048",
            "--max-heap", "65536"] + list(extra)
    rc, out, err = run_to_files(args if native else [WINE_RUN] + args, WORK, cwd=cwd, timeout=120)
    check(rc == 0, "caskit new: rc %d %s" % (rc, err))


def expected_block(out_folder):
    return block_lines([
        "binarypath", out_folder + "jvm.dll", "classname", "hello.Main", "parameters", "configured \"two words\"",
        "appendcp", "environment", "1", "HELLO_MODE", "fast", "classpath", "1", "C:\\apps\\hello.jar",
        "properties", "1", "hello.greeting=Hi", "noasyncgc", "1", "noclassgc", "1", "verifyremote",
        "disablejit", "0", "console", "0", "routeconsole", "0", "minheap", "2048", "maxheap", "65536",
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
        "--company", "Tallowmark", "--copyright", "\u00a9 2026 Zo\u00eb",
        "--trademarks", "Acme\u2122 \u20ac", "--comments", "", "--large-icon", win(os.path.join(folder, "app.ico")),
        "--small-icon", win(os.path.join(folder, "app.ico"))])
    rc, out, err = wine(CASKIT_EXE, "compile", win(project))
    check(rc == 0 and err == "", "caskit.exe compile: rc %d %r" % (rc, err))
    # Concurrent sets on one read-only project (wine_run.sh keeps output in
    # files): every change lands, and the project stays read-only.
    os.chmod(project, 0o444)
    runs = [subprocess.Popen([WINE_RUN, CASKIT_EXE, "set", win(project), "--env", "K%d=v" % i],
                             stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            for i in range(4)]
    codes = [r.wait(timeout=120) for r in runs]
    env = read_project(open(project, "rb").read())["environment"]
    check(codes == [0] * 4 and sorted(env) == ["HELLO_MODE=fast"] + ["K%d=v" % i for i in range(4)] and
          not os.stat(project).st_mode & 0o222, "every concurrent set lands: %r %r" % (codes, env))
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
    one_icon_group(res, "resource form")
    ours = [k for k in res if k[0] in (1000, RT_VERSION) or (k[0] in (RT_ICON, RT_GROUP_ICON) and k[2] == 0)]
    check(all(k[2] == 0 for k in ours), "all added resources are language 0")
    check(trailer_block(open(exe, "rb").read()) is None, "no trailer in the resource form")

    strings, fixed = version_strings(exe)
    check(strings.get("CompanyName") == "Tallowmark", "CompanyName %r" % strings.get("CompanyName"))
    check(strings.get("FileDescription") == "hello.exe, built by Tallowmark Inc's, Caskit", "FileDescription")
    check(strings.get("FileVersion") == "1.2.3.4" and strings.get("ProductVersion") == "5.6.7.8", "versions")
    check(strings.get("ProductName") == "hello.exe" and strings.get("Comments") == "", "ProductName, Comments")
    # Stored in the ANSI code page (1252 here), shown from UTF-16 as typed.
    stored = read_project(open(project, "rb").read())
    check((stored["legalCopyright"], stored["legalTrademarks"]) == ("\xa9 2026 Zo\xeb", "Acme\x99 \x80"),
          "project file text %r" % ((stored["legalCopyright"], stored["legalTrademarks"]),))
    check(strings.get("LegalCopyright") == "\u00a9 2026 Zo\u00eb", "LegalCopyright %r" % strings.get("LegalCopyright"))
    check(strings.get("LegalTrademarks") == "Acme\u2122 \u20ac", "LegalTrademarks %r" % strings.get("LegalTrademarks"))
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

    # Missing folders of the target are made; a folder that cannot be made
    # (below a file): the system's error text (which ends in CR LF) as one
    # line on standard error, exit code 1.
    rc, out, err = wine(CASKIT_EXE, "compile", win(old), "--out", out_folder + "made\\here\\old.exe")
    check(rc == 0 and os.path.exists(os.path.join(folder, "made", "here", "old.exe")), "folders made: %r" % err)
    rc, out, err = wine(CASKIT_EXE, "compile", win(old), "--out", out_folder + "old.exe\\sub\\old.exe")
    lines = err.replace("\r\n", "\n").split("\n")
    prefix = "caskit compile: cannot make the folder %sold.exe\\sub: " % out_folder
    check(rc == 1 and len(lines) == 2 and lines[1] == "" and "\r" not in lines[0] and
          lines[0].startswith(prefix) and not lines[0].endswith(" ") and len(lines[0]) > len(prefix),
          "uncreatable folder: %d %r" % (rc, err))


def one_icon_group(res, what):
    """Exactly one icon group, and every icon it names in exactly one
    language: the stub's own icons and group are gone."""
    groups = [k for k in res if k[0] == RT_GROUP_ICON]
    check(groups == [(RT_GROUP_ICON, 0, 0)], "%s: icon groups %r" % (what, groups))
    group = res.get((RT_GROUP_ICON, 0, 0), b"\0" * 6)
    named = sorted(struct.unpack("<H", group[18 + 14 * k:20 + 14 * k])[0]
                   for k in range(struct.unpack("<H", group[4:6])[0]))
    icons = sorted(k for k in res if k[0] == RT_ICON)
    check(icons == [(RT_ICON, n, 0) for n in named], "%s: icons %r for the group's %r" % (what, icons, named))


def resource_time_stamps(pe):
    stamps = {pe.DIRECTORY_ENTRY_RESOURCE.struct.TimeDateStamp}
    for rtype in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        stamps.add(rtype.directory.struct.TimeDateStamp)
        stamps |= {entry.directory.struct.TimeDateStamp for entry in rtype.directory.entries}
    return stamps


def test_full_quality_and_reproducible():
    """caskit.exe with the system's resource update: every image of a
    current .ico in the one icon group, loaded by Wine's LoadImage at 48 and
    256 pixels as the source's own; the same bytes from two compiles a
    second apart; SOURCE_DATE_EPOCH sets the time stamp."""
    import time
    from icons import full_icon_file
    folder = os.path.join(WORK, "full")
    os.makedirs(folder)
    out_folder = win(folder) + "\\"
    ico, images = full_icon_file()
    open(os.path.join(folder, "full.ico"), "wb").write(ico)
    shutil.copy(os.path.join(STANDINS, "jvm.dll"), folder)  # the project's VM library exists
    project = os.path.join(folder, "full.csk")
    new_project(CASKIT_EXE, project, out_folder, extra=[
        "--version-info", "on", "--large-icon", win(os.path.join(folder, "full.ico"))])
    exe = os.path.join(folder, "hello.exe")
    env = dict(os.environ)
    env.pop("SOURCE_DATE_EPOCH", None)
    outputs = []
    for stamp in (None, None, "1234567890"):
        if outputs:
            time.sleep(1.1)
        rc, out, err = run_to_files([WINE_RUN, CASKIT_EXE, "compile", win(project)], WORK, timeout=120,
                                    env=dict(env, SOURCE_DATE_EPOCH=stamp) if stamp else env)
        check(rc == 0 and err == "", "caskit.exe compile (SOURCE_DATE_EPOCH %s): %d %r" % (stamp, rc, err))
        outputs.append(open(exe, "rb").read())
    check(outputs[0] == outputs[1], "two compiles with caskit.exe a second apart differ")
    stub = pefile.PE(os.path.join(os.path.dirname(CASKIT_EXE), "stubs", "windows-x64", "stub12.exe"))
    first, stamped = pefile.PE(data=outputs[0]), pefile.PE(data=outputs[2])
    check(first.FILE_HEADER.TimeDateStamp == stub.FILE_HEADER.TimeDateStamp, "the stub's own time stamp")
    check(stamped.FILE_HEADER.TimeDateStamp == 1234567890, "SOURCE_DATE_EPOCH sets the time stamp")
    check(resource_time_stamps(first) == {0}, "resource directory time stamps %r" % resource_time_stamps(first))

    res = resources(exe)
    one_icon_group(res, "full.ico")
    check([res.get((RT_ICON, k, 0)) for k in range(4)] == images, "every image of full.ico byte for byte")
    found, strings, icons = probe(exe, os.path.join(folder, "full.ico"))
    loaded = [line for line in icons if line.startswith("loaded")]
    check(loaded == ["loaded 48 same", "loaded 256 same"], "LoadImage at 48 and 256: %r" % loaded)


def sign(exe, folder):
    """Signs exe with a throwaway certificate; osslsigncode must accept the
    signature. Returns the signed file's path."""
    signed, problem = sign_executable(exe, folder)
    check(problem is None, problem)
    return signed or exe[:-4] + "-signed.exe"


def probe(exe, ico=None):
    """What Wine's own loader reads: {(type, id, language): bytes}, the
    version strings, and the icon lines (with `ico`, also how LoadImage
    compares)."""
    rc, out, err = wine(PROBE, win(exe), *([win(ico)] if ico else []))
    check(rc == 0, "resource_probe %s: %d %s" % (exe, rc, err))
    found, strings, icons = {}, {}, []
    for line in out.splitlines():
        words = line.split(" ")
        if words[0] == "resource" and len(words) == 6:
            found[(int(words[1]), int(words[2]), int(words[3]))] = bytes.fromhex(words[5])
        elif words[0] == "string":
            key, _, value = line[len("string "):].partition("=")
            strings[key] = value
        elif words[0] in ("icon", "loaded"):
            icons.append(line)
    return found, strings, icons


def wrestool_icons(exe, folder):
    """The images of icon group 0 as wrestool lists and extracts them."""
    r = subprocess.run(["wrestool", "-l", exe], capture_output=True, text=True)
    check(r.returncode == 0, "wrestool -l: %s" % r.stderr)
    listed = r.stdout
    for entry in ("--type=14 --name=0 --language=0", "--type=3 --name=0 --language=0",
                  "--type=3 --name=1 --language=0", "--type=16 --name=1 --language=0"):
        check(entry in listed, "wrestool does not list %s: %s" % (entry, listed))
    check("--language=1033" not in listed, "wrestool lists the stub's own icons: %s" % listed)
    ico = os.path.join(folder, "extracted.ico")
    r = subprocess.run(["wrestool", "-x", "--type=14", "--name=0", "-o", ico, exe], capture_output=True, text=True)
    check(r.returncode == 0 and os.path.exists(ico), "wrestool -x: %s" % r.stderr)
    data = open(ico, "rb").read() if os.path.exists(ico) else b"\0" * 6
    count = struct.unpack("<HHH", data[:6])[2]
    images = []
    for k in range(count):
        size, offset = struct.unpack("<II", data[6 + 16 * k + 8:6 + 16 * k + 16])
        images.append(data[offset:offset + size])
    return images


def test_linux_resource_form():
    """The Linux caskit's resource form: the same resources as caskit.exe
    writes with the Win32 API, read back by Wine's loader and wrestool;
    runs under Wine, also when signed."""
    if not HOST_CASKIT or not os.path.exists(HOST_CASKIT):
        print("note: no Linux caskit at %r; Linux-built Windows executables not tested" % HOST_CASKIT)
        return
    folder = os.path.join(WORK, "both")
    os.makedirs(folder)
    out_folder = win(folder) + "\\"
    ico, images = icon_file()
    open(os.path.join(folder, "app.ico"), "wb").write(ico)
    shutil.copy(os.path.join(STANDINS, "jvm.dll"), folder)
    project = os.path.join(folder, "hello.csk")
    # Relative exe folder and icons: both count from the project's folder.
    new_project(HOST_CASKIT, project, out_folder, native=True, exe_folder=".", cwd=folder, extra=[
        "--version-info", "on", "--file-version", "1.2.3.65535", "--product-version", "5.6.7.8",
        "--company", "Tallowmark", "--copyright", "(c) 2026", "--trademarks", "TM",
        "--large-icon", "app.ico", "--small-icon", "app.ico"])
    exe = os.path.join(folder, "hello.exe")
    rc, out, err = wine(CASKIT_EXE, "compile", win(project))
    check(rc == 0 and err == "", "caskit.exe compile: %d %r" % (rc, err))
    from_windows = resources(exe)
    os.rename(exe, os.path.join(folder, "hello-win.exe"))
    rc, out, err = wine(HOST_CASKIT, "compile", project, "--target", "windows-x64", "--stubs", WIN_STUBS,
                        native=True)
    check(rc == 0 and err == "", "Linux caskit compile: %d %r" % (rc, err))
    from_linux = resources(exe)
    differ = sorted(k for k in set(from_windows) | set(from_linux) if from_windows.get(k) != from_linux.get(k))
    check(not differ, "resources differ between caskit.exe and the Linux caskit: %r" % differ)
    # The stub's manifest; marker, block, version; two icons and their group
    # (the stub's own icon and group are gone).
    check(len(from_linux) == 7, "resource entries %r" % sorted(from_linux))
    one_icon_group(from_linux, "Linux-built")

    found, strings, icons = probe(exe)
    for key_, data in found.items():
        check(data == from_linux.get(key_, b""), "Wine's loader reads %r differently" % (key_,))
    check(found.get((1000, 1, 0)) == b"resbased" and found.get((1000, 2, 0)) == expected_block(out_folder),
          "loader: marker and block")
    check(strings.get("CompanyName") == "Tallowmark" and strings.get("FileVersion") == "1.2.3.65535" and
          strings.get("FileDescription") == "hello.exe, built by Tallowmark Inc's, Caskit",
          "loader: version strings %r" % strings)
    check(icons == ["icon 32 0 ok", "icon 16 1 ok"], "loader: icons %r" % icons)
    check(wrestool_icons(exe, folder) == images, "wrestool extracts the two icon images")

    run_produced(exe, folder, "Linux-built resource form")
    signed = sign(exe, folder)
    check(resources(signed) == from_linux, "signing keeps the resources")
    run_produced(signed, folder, "signed resource form")

    # The trailer form, signed: the certificate table follows the trailer.
    trailer_exe = os.path.join(folder, "trailer.exe")
    rc, out, err = wine(HOST_CASKIT, "compile", project, "--target", "windows-x64", "--stubs", WIN_STUBS,
                        "--trailer", "--out", trailer_exe, native=True)
    check(rc == 0, "Linux caskit compile --trailer: %d %s" % (rc, err))
    check(trailer_block(open(trailer_exe, "rb").read()) is not None, "trailer form has its trailer")
    check(resources(trailer_exe).get((1000, 1, 0)) == b"standard", "trailer form keeps the marker standard")
    signed = sign(trailer_exe, folder)
    data = open(signed, "rb").read()
    check(trailer_block(data) is None, "the signed file no longer ends with the trailer")
    run_produced(signed, folder, "signed trailer form")


def test_signed_stub():
    """A stub signed with osslsigncode: the compile removes the signature,
    says so in one warning line, and the program starts with its settings,
    in both forms."""
    if not HOST_CASKIT or not os.path.exists(HOST_CASKIT):
        return
    folder = os.path.join(WORK, "signed-stub")
    stubs = os.path.join(folder, "stubs")
    os.makedirs(stubs)
    shutil.copy(os.path.join(STANDINS, "jvm.dll"), folder)
    shutil.copy(os.path.join(WIN_STUBS, "stub12.exe"), folder)
    os.replace(sign(os.path.join(folder, "stub12.exe"), folder), os.path.join(stubs, "stub12.exe"))
    project = os.path.join(folder, "hello.csk")
    new_project(HOST_CASKIT, project, win(folder) + "\\", native=True, exe_folder=".", cwd=folder)
    note = "caskit compile: warning: the stub's signature was removed; sign the executable after compiling"
    for what, command in (("Linux caskit, resource form", [HOST_CASKIT, "compile", project]),
                          ("Linux caskit, trailer form", [HOST_CASKIT, "compile", project, "--trailer"]),
                          ("caskit.exe, resource form", [WINE_RUN, CASKIT_EXE, "compile", win(project)])):
        stub_folder = stubs if command[0] == HOST_CASKIT else win(stubs)
        rc, out, err = wine(*command, "--target", "windows-x64", "--stubs", stub_folder, native=True)
        check(rc == 0 and err.replace("\r\n", "\n") == note + "\n", "%s: %d %r" % (what, rc, err))
        exe = os.path.join(folder, "hello.exe")
        table = pefile.PE(exe, fast_load=True).OPTIONAL_HEADER.DATA_DIRECTORY[4]
        check((table.VirtualAddress, table.Size) == (0, 0), "%s: the certificate table entry is %r" % (what, table))
        run_produced(exe, folder, "signed stub, " + what)


def main():
    # Compiles here keep the stub's time stamp unless a test sets its own.
    os.environ.pop("SOURCE_DATE_EPOCH", None)
    fresh_folder(WORK)
    test_resource_form()
    test_linux_resource_form()
    test_signed_stub()
    test_full_quality_and_reproducible()
    return check.result()


if __name__ == "__main__":
    sys.exit(main())
