"""The command-line builder on Linux: project files it writes (read by an
independent reader), what "show" prints, launchers it produces in the
trailer form, and every error path with its exit code. Write failures are
made real with a file-size limit (ulimit -f) on the caskit process.

    cli_host_test.py CASKIT"""
import os
import struct
import subprocess
import sys
import time

from projectfile import read_project

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import (Checks, block_lines, pe_resources, temp_folder, trailer, trailer_block,  # noqa: E402
                         version_strings)

CASKIT = os.path.abspath(sys.argv[1])
STUBS = os.path.join(os.path.dirname(CASKIT), "stubs")
check = Checks()


def caskit(*args, limit_kb=None, cwd=None):
    cmd = [CASKIT] + list(args)
    if limit_kb is not None:
        # Writes past the limit fail with EFBIG instead of killing caskit.
        cmd = ["bash", "-c", "trap '' XFSZ; ulimit -f %d; exec \"$@\"" % limit_kb, "caskit"] + cmd
    r = subprocess.run(cmd, capture_output=True, cwd=cwd)
    return r.returncode, r.stdout.decode("latin-1"), r.stderr.decode("latin-1")


def windows_target():
    """A Windows target whose stubs are staged, or None."""
    for target in ("windows-x64", "windows-x86"):
        if os.path.exists(os.path.join(STUBS, target, "stub12.exe")):
            return target
    print("note: no staged Windows stubs; resource-form cases skipped")
    return None


def full_project_args(work):
    return ["--exe-name", "hello", "--exe-folder", work, "--vm-library", "/opt/jdk/lib/server/libjvm.so",
            "--main-class", "hello.Main", "--arguments", "one \"two three\"",
            "--class-path", "/apps/hello.jar", "--class-path", "lib/extra.jar",
            "--property", "hello.greeting=Hi there", "--env", "APP_MODE=fast", "--env=EMPTY=",
            "--class-path-mode", "prepend", "--verify", "none", "--async-gc", "on", "--class-gc", "on",
            "--jit", "on", "--console", "on", "--route-console", "on", "--min-heap", "8192",
            "--max-heap", "4294967295", "--native-stack", "0", "--java-stack", "64", "--version-info", "on",
            "--file-version", "1.2.3.4", "--product-version", "65535.0.32767.9", "--company", "Tallowmark",
            "--copyright", "(c) 2026", "--trademarks", "TM", "--comments", "line"]


def test_new_writes_every_setting(work):
    path = os.path.join(work, "full.csk")
    rc, out, err = caskit("new", path, "--jdk", "2.0", *full_project_args(work))
    check(rc == 0, "new full: rc %d %s" % (rc, err))
    p = read_project(open(path, "rb").read())
    expected = {
        "reserved": 0, "projectVersion": 2, "exeName": "hello", "exeFolder": work + "/",
        "userDefinedVm": True, "vmLibraryPath": "/opt/jdk/lib/server/libjvm.so", "mainClass": "hello.Main",
        "arguments": "one \"two three\"", "classPath": ["/apps/hello.jar", "lib/extra.jar"],
        "properties": ["hello.greeting=Hi there"], "environment": ["APP_MODE=fast", "EMPTY="],
        "classPathMode": 1, "verifyOption": 2, "asyncGcEnabled": True, "classGcEnabled": True,
        "jitEnabled": True, "consoleWindow": True, "routeConsole": True, "minHeap": 8192,
        "maxHeap": 4294967295, "maxNativeStack": 0, "maxJavaStack": 64, "versionInfoEnabled": True,
        "fileVersion": [1, 2, 3, 4], "productVersion": [-1, 0, 32767, 9], "companyName": "Tallowmark",
        "legalCopyright": "(c) 2026", "legalTrademarks": "TM", "comments": "line",
        "largeIconPath": "", "smallIconPath": "",
    }
    for key, value in expected.items():
        check(p[key] == value, "new full: %s is %r, not %r" % (key, p[key], value))

    rc, out, err = caskit("show", path)
    check(rc == 0, "show: rc %d" % rc)
    for line in ["jdk                2.0", "vm                 user defined", "class-path         2 entries",
                 "  \"lib/extra.jar\"", "env                2 entries", "  \"EMPTY=\"",
                 "class-path-mode    prepend", "verify             none", "max-heap           4294967295 KB",
                 "file-version       1.2.3.4", "product-version    65535.0.32767.9", "arguments          \"one \\\"two three\\\"\""]:
        check(line in out.splitlines(), "show lacks %r" % line)


def test_set_changes_only_what_it_names(work):
    path = os.path.join(work, "set.csk")
    rc, out, err = caskit("new", path, "--jdk", "2.0", *full_project_args(work), "--jvm-option", "-Xss2m",
                          "--jvm-option=--add-opens=java.base/java.lang=ALL-UNNAMED", "--java-min", "17",
                          "--code-page", "1251")
    check(rc == 0, "new with VM options: %d %s" % (rc, err))
    before = read_project(open(path, "rb").read())
    check(before["extension"] == {"jvmOptions": ["-Xss2m", "--add-opens=java.base/java.lang=ALL-UNNAMED"],
                                  "javaMinVersion": "17", "codePage": 1251},
          "new stores the extension: %r" % before["extension"])
    rc, out, err = caskit("set", path, "--jvm-option", "-Xmx1g", "--clear-jvm-options", "--class-path", "c.jar",
                          "--working-folder", "caller", "--product-name", "Hello", "--java-min", "",
                          "--restart-exit-code", "255", "--single-instance", "on", "--instance-id", "my.app")
    check(rc == 0, "set: %d %s" % (rc, err))
    after = read_project(open(path, "rb").read())
    changed = {"classPath": before["classPath"] + ["c.jar"],
               "extension": {"jvmOptions": ["-Xmx1g"], "workingFolder": 1, "productName": "Hello", "codePage": 1251,
                             "restartExitCode": 255, "singleInstance": True, "instanceId": "my.app"}}
    for key in before:
        check(after[key] == changed.get(key, before[key]), "set: %s is %r" % (key, after[key]))
    # Clearing every list gives back the original record's bytes.
    rc, out, err = caskit("set", path, "--clear-class-path", "--clear-properties", "--clear-env",
                          "--clear-jvm-options", "--working-folder", "executable", "--product-name", "",
                          "--restart-exit-code", "off", "--single-instance", "off", "--instance-id", "")
    after = read_project(open(path, "rb").read())
    check(rc == 0 and after["classPath"] == after["properties"] == after["environment"] == [] and
          after["extension"] == {"codePage": 1251}, "set clears lists: %d %s %r" % (rc, err, after))
    # What the compile would refuse is refused here too, and the file stays.
    data = open(path, "rb").read()
    for args, text in ((["--jvm-option", "Xmx1g"], "does not begin with \"-\""),
                       (["--working-folder", "home"], "expected executable or caller"),
                       (["--restart-exit-code", "256"], "expected a number from 1 to 255 or off"),
                       (["--java-min", "17."], "java-min setting \"17.\" is not a Java version"),
                       (["--java-min", "21", "--java-max", "17"], "java-min setting 21 is above the java-max setting 17"),
                       (["--clear-env=yes"], "takes no value")):
        rc, out, err = caskit("set", path, *args)
        check(rc == 2 and text in err and open(path, "rb").read() == data, "set %r: %d %r" % (args, rc, err))
    rc, out, err = caskit("set", os.path.join(work, "missing.csk"), "--jit", "on")
    check(rc == 1 and "missing.csk" in err, "set on a missing file: %d %r" % (rc, err))


def test_set_at_once(work):
    path = os.path.join(work, "p.csk")
    caskit("new", path, "--jdk", "2.0")
    runs = [subprocess.Popen([CASKIT, "set", path, "--property", "k%d=v" % i], stdout=subprocess.DEVNULL,
                             stderr=subprocess.PIPE) for i in range(8)]
    errors = [(r.wait(), r.stderr.read()) for r in runs]
    properties = read_project(open(path, "rb").read())["properties"]
    check(errors == [(0, b"")] * 8 and sorted(properties) == ["k%d=v" % i for i in range(8)],
          "every concurrent set lands: %r %r" % (errors, properties))
    check(os.listdir(work) == ["p.csk"], "no temporary file left: %r" % os.listdir(work))


def test_default_project_is_111_bytes(work):
    path = os.path.join(work, "default.csk")
    rc, out, err = caskit("new", path, "--jdk", "1.1")
    check(rc == 0, "new default: rc %d %s" % (rc, err))
    data = open(path, "rb").read()
    check(len(data) == 111, "default project is %d bytes" % len(data))
    p = read_project(data)
    check(p["projectVersion"] == 1 and p["minHeap"] == 1024 and p["maxJavaStack"] == 512, "default values")
    check(p["fileVersion"] == [1, 0, 0, 0], "default file version")


def linux_project(work, name="app"):
    path = os.path.join(work, name + ".csk")
    rc, out, err = caskit("new", path, "--jdk", "2.0", "--exe-name", name, "--exe-folder", work,
                          "--main-class", "hello.Main", "--class-path", "/apps/h.jar",
                          "--property", "k=v", "--env", "A=b=c", "--arguments", "x y")
    check(rc == 0, "new linux project: %s" % err)
    return path


EXPECTED_BLOCK = block_lines([
    "binarypath", "#internal#", "classname", "hello.Main", "parameters", "x y", "appendcp",
    "environment", "1", "A", "b=c", "classpath", "1", "/apps/h.jar", "properties", "1", "k=v",
    "noasyncgc", "1", "noclassgc", "1", "verifyremote", "disablejit", "0", "console", "0",
    "routeconsole", "0", "minheap", "1024", "maxheap", "16384", "maxcstack", "128", "maxjavastack", "512",
    "runtimeheap", "3"])


def test_compile_linux_trailer(work):
    path = linux_project(work)
    rc, out, err = caskit("compile", path, "--target", "linux-x64")
    check(rc == 0, "compile linux: rc %d %s" % (rc, err))
    check(err == "", "compile linux printed %r" % err)
    stub = open(os.path.join(STUBS, "linux-x64", "stub12"), "rb").read()
    produced = open(os.path.join(work, "app"), "rb").read()
    check(produced[:len(stub)] == stub, "linux launcher starts with the stub")
    check(produced[len(stub):] == trailer(EXPECTED_BLOCK),
          "linux launcher ends with block + length")
    check(trailer_block(produced) == EXPECTED_BLOCK, "trailer reads back")
    check(os.access(os.path.join(work, "app"), os.X_OK), "linux launcher is executable")

    # The default target is the system caskit runs on.
    os.remove(os.path.join(work, "app"))
    rc, out, err = caskit("compile", path)
    check(rc == 0 and os.path.exists(os.path.join(work, "app")), "default target is linux-x64")

    # --out replaces folder and name; a second compile replaces the file.
    other = os.path.join(work, "sub", "renamed")
    os.makedirs(os.path.dirname(other))
    open(other, "wb").write(b"x" * 500000)
    rc, out, err = caskit("compile", path, "--out", other)
    check(rc == 0, "compile --out: %s" % err)
    check(open(other, "rb").read() == produced, "--out output equals the normal one, old bytes gone")


def test_compile_windows(work):
    import pefile
    for target in ("windows-x64", "windows-x86"):
        stub_path = os.path.join(STUBS, target, "stub12.exe")
        if not os.path.exists(stub_path):
            print("note: no staged stubs for", target)
            continue
        stub = open(stub_path, "rb").read()
        path = linux_project(work, "win-" + target)
        out_path = os.path.join(work, target + ".exe")
        # Resources by default (and with --trailer=no), on Linux too.
        for extra in ([], ["--trailer=no"]):
            rc, out, err = caskit("compile", path, "--target", target, "--out", out_path, *extra)
            check(rc == 0 and err == "", "compile %s %r: %s" % (target, extra, err))
            pe = pefile.PE(out_path)
            check(pe.OPTIONAL_HEADER.CheckSum == pe.generate_checksum(), "%s %r: header checksum" % (target, extra))
            res = pe_resources(pe)
            check(res.get((1000, 1, 0)) == b"resbased", "%s %r: marker resbased" % (target, extra))
            check(res.get((1000, 2, 0)) == EXPECTED_BLOCK, "%s %r: block resource" % (target, extra))
            check(trailer_block(open(out_path, "rb").read()) is None, "%s %r: no trailer" % (target, extra))
        # The trailer form on request: the stub unchanged, then the trailer.
        for flag in ("--trailer", "--trailer=yes"):
            rc, out, err = caskit("compile", path, "--target", target, "--out", out_path, flag)
            check(rc == 0, "compile %s %s: %s" % (target, flag, err))
            produced = open(out_path, "rb").read()
            check(produced[:len(stub)] == stub, "%s: stub copied unchanged" % target)
            check(trailer_block(produced) == EXPECTED_BLOCK, "%s: trailer holds the block" % target)
            marker = [data for (kind, rid, _), data in pe_resources(pefile.PE(data=produced)).items()
                      if (kind, rid) == (1000, 1)]
            check(len(marker) == 1 and marker[0][:8] == b"standard", "%s: marker stays standard" % target)
    # The program's own description and product name, and with them the
    # names Windows shows and signing tools check; without them the texts
    # are as always.
    target = windows_target()
    if target:
        path = linux_project(work, "named")
        out_path = os.path.join(work, "named.exe")
        for extra, expected in (([], {"FileDescription": "named.exe, built by Tallowmark Inc's, Caskit",
                                      "ProductName": "named.exe"}),
                                (["--file-description", "Named Tool", "--product-name", "Named Suite \u00e9"],
                                 {"FileDescription": "Named Tool", "ProductName": "Named Suite \u00e9",
                                  "OriginalFilename": "named.exe", "InternalName": "named"})):
            caskit("set", path, "--version-info", "on", *extra)
            rc, out, err = caskit("compile", path, "--target", target, "--out", out_path)
            strings = version_strings(pefile.PE(out_path))
            shown = {k: strings.get(k) for k in ("FileDescription", "ProductName", "OriginalFilename",
                                                 "InternalName")}
            check(rc == 0 and shown == dict({"OriginalFilename": None, "InternalName": None}, **expected),
                  "version block %r: %d %r %r" % (extra, rc, err, shown))
    rc, out, err = caskit("compile", linux_project(work, "t"), "--trailer=maybe")
    check(rc == 2 and "--trailer takes yes or no" in err, "--trailer=maybe: %d %r" % (rc, err))


def test_icons(work):
    from icons import icon_file
    ico = os.path.join(work, "app.ico")
    open(ico, "wb").write(icon_file()[0])
    path = os.path.join(work, "icons.csk")
    rc, out, err = caskit("new", path, "--jdk", "2.0", "--large-icon", ico, "--small-icon", ico)
    check(rc == 0, "new with icons: %d %r" % (rc, err))
    p = read_project(open(path, "rb").read())
    check(p["largeIconPath"] == ico and p["smallIconPath"] == ico, "icon paths stored")
    rc, out, err = caskit("show", path)
    check("large-icon         \"%s\"" % ico in out.splitlines(), "show: large icon loaded: %r" % out)

    # An unreadable icon is a warning, as for compile; the project is written.
    missing = os.path.join(work, "missing.ico")
    rc, out, err = caskit("new", os.path.join(work, "bad.csk"), "--jdk", "2.0", "--large-icon", missing)
    check(rc == 0 and err == "caskit new: warning: large-icon %s cannot be read (Error Opening ,ico File for "
          "Reading); the executable gets no large icon\n" % missing, "missing icon file: %d %r" % (rc, err))
    check(os.path.exists(os.path.join(work, "bad.csk")) and
          read_project(open(os.path.join(work, "bad.csk"), "rb").read())["largeIconPath"] == missing,
          "project written with the unreadable icon's path")


def ico_entries_past_the_end():
    from icons import icon_file
    data = bytearray(icon_file()[0])
    struct.pack_into("<I", data, 6 + 16 + 8, len(data))  # the second image's size reaches past the end
    return bytes(data)


def png_cut_short():
    from icons import full_icon_file
    data, images = full_icon_file()
    cut = len(images[3]) // 2
    data = bytearray(data[:len(data) - len(images[3]) + cut])
    struct.pack_into("<I", data, 6 + 16 * 3 + 8, cut)
    return bytes(data)


def test_full_quality_icons(work):
    """Every image of an .ico, PNG included, byte for byte in the one icon
    group; bad icon files refused with their reason; a bitmap as ImageMagick
    writes it today (124-byte header, BI_BITFIELDS) becomes an icon."""
    import pefile
    from icons import full_icon_file
    data, images = full_icon_file()
    ico = os.path.join(work, "full.ico")
    open(ico, "wb").write(data)
    for target in ("windows-x64", "windows-x86"):
        if not os.path.exists(os.path.join(STUBS, target, "stub12.exe")):
            print("note: no staged stubs for", target)
            continue
        path = linux_project(work, "full-" + target)
        exe = os.path.join(work, "full-%s.exe" % target)
        caskit("new", path, "--jdk", "2.0", "--exe-name", "x", "--main-class", "M", "--large-icon", ico,
               "--small-icon", ico)
        rc, out, err = caskit("compile", path, "--target", target, "--out", exe)
        check(rc == 0 and err == "", "compile %s with full.ico: %d %r" % (target, rc, err))
        res = pe_resources(pefile.PE(exe))
        icons = sorted(k for k in res if k[0] in (3, 14))
        check(icons == [(3, 0, 0), (3, 1, 0), (3, 2, 0), (3, 3, 0), (14, 0, 0)],
              "%s: one group and the four images, language 0 only: %r" % (target, icons))
        check([res.get((3, k, 0)) for k in range(4)] == images, "%s: every image byte for byte" % target)
        group = res.get((14, 0, 0), b"")
        entries = [struct.unpack("<BBBBHHIH", group[6 + 14 * k:20 + 14 * k]) for k in range(4)
                   if len(group) >= 20 + 14 * k]
        check(group[:6] == struct.pack("<HHH", 0, 1, 4) and entries == [
            (s & 255, s & 255, 0, 0, 1, 32, len(images[k]), k) for k, s in enumerate((16, 32, 48, 256))],
            "%s: group entries %r" % (target, entries))
        extracted = os.path.join(work, "extracted-%s.ico" % target)
        r = subprocess.run(["wrestool", "-x", "--type=14", "--name=0", "-o", extracted, exe], capture_output=True)
        got = open(extracted, "rb").read() if r.returncode == 0 and os.path.exists(extracted) else b"\0" * 6
        count = struct.unpack("<HHH", got[:6])[2]
        found = [got[o:o + n] for n, o in (struct.unpack("<II", got[14 + 16 * k:22 + 16 * k]) for k in range(count))]
        check(found == images, "%s: wrestool extracts the four images" % target)

    target = windows_target()
    if not target:
        return
    path = linux_project(work, "bad-icons")
    for name, bad, reason in (("past.ico", ico_entries_past_the_end(), "Error Reading File"),
                              ("cut.ico", png_cut_short(), "Error Reading File")):
        open(os.path.join(work, name), "wb").write(bad)
        caskit("new", path, "--jdk", "2.0", "--exe-name", "bad.exe", "--exe-folder", work, "--main-class", "M",
               "--large-icon", name)
        rc, out, err = caskit("compile", path, "--target", target)
        check(rc == 0 and err == "caskit compile: warning: large-icon %s cannot be read (%s); the executable gets "
              "no large icon\n" % (os.path.join(work, name), reason), "%s refused: %d %r" % (name, rc, err))
        check(not [k for k in pe_resources(pefile.PE(os.path.join(work, "bad.exe"))) if k[0] in (3, 14) and k[2] == 0],
              "%s: no icon written" % name)

    # The same picture as ImageMagick writes it today (124-byte header,
    # 32 bits in BI_BITFIELDS, alpha) and with the old 40-byte header and 24
    # bits: the same icon.
    bmp, old = os.path.join(work, "today.bmp"), os.path.join(work, "old.bmp")
    picture = ["/usr/bin/convert", "-size", "48x48", "gradient:red-blue"]
    r = subprocess.run(picture + ["-alpha", "set", "-channel", "A", "-evaluate", "set", "80%", "+channel", bmp],
                       capture_output=True)
    if r.returncode != 0:
        print("note: ImageMagick's convert is missing; the bitmap of a current tool is not tried")
        return
    subprocess.run(picture + ["-type", "TrueColor", "BMP3:" + old], check=True)
    check(struct.unpack("<IiiHHI", open(bmp, "rb").read()[14:34]) == (124, 48, 48, 1, 32, 3) and
          struct.unpack("<IiiHHI", open(old, "rb").read()[14:34]) == (40, 48, 48, 1, 24, 0),
          "ImageMagick wrote a 124-byte header with BI_BITFIELDS, and a 40-byte one")
    icons = []
    for picture_file in (bmp, old):
        caskit("new", path, "--jdk", "2.0", "--exe-name", "bmp.exe", "--exe-folder", work, "--main-class", "M",
               "--large-icon", picture_file)
        rc, out, err = caskit("compile", path, "--target", target)
        check(rc == 0 and err == "", "compile with %s: %d %r" % (picture_file, rc, err))
        icons.append(pe_resources(pefile.PE(os.path.join(work, "bmp.exe"))).get((3, 0, 0), b""))
    check(len(icons[0]) == 2216 and icons[0] == icons[1] and len(set(icons[0][1064:2088])) > 4,
          "the bitmap of a current tool becomes the same icon as the old form")


def test_reproducible(work):
    """The same project and stubs give the same bytes at any time; the time
    stamp is the stub's own, or SOURCE_DATE_EPOCH."""
    import pefile
    from icons import full_icon_file
    open(os.path.join(work, "full.ico"), "wb").write(full_icon_file()[0])
    env = dict(os.environ)
    env.pop("SOURCE_DATE_EPOCH", None)
    for target in ("windows-x64", "windows-x86", "linux-x64"):
        stub_path = os.path.join(STUBS, target, "stub12" + (".exe" if target != "linux-x64" else ""))
        if not os.path.exists(stub_path):
            print("note: no staged stubs for", target)
            continue
        path = linux_project(work, "r-" + target)
        caskit("new", path, "--jdk", "2.0", "--exe-name", "r", "--main-class", "M", "--large-icon", "full.ico",
               "--version-info", "on", "--company", "Tallowmark")
        exe = os.path.join(work, "r-" + target)
        outputs = []
        for stamp in (None, None, "1234567890"):
            if outputs:
                time.sleep(1.1)
            run_env = dict(env, SOURCE_DATE_EPOCH=stamp) if stamp else env
            r = subprocess.run([CASKIT, "compile", path, "--target", target, "--out", exe], capture_output=True,
                               env=run_env)
            check(r.returncode == 0, "%s: compile: %r" % (target, r.stderr))
            outputs.append(open(exe, "rb").read())
        check(outputs[0] == outputs[1], "%s: two compiles a second apart differ" % target)
        if target == "linux-x64":
            check(outputs[2] == outputs[0], "linux-x64: SOURCE_DATE_EPOCH changes nothing")
            continue
        stub, first, stamped = pefile.PE(stub_path), pefile.PE(data=outputs[0]), pefile.PE(data=outputs[2])
        check(first.FILE_HEADER.TimeDateStamp == stub.FILE_HEADER.TimeDateStamp, "%s: the stub's time stamp" % target)
        check(stamped.FILE_HEADER.TimeDateStamp == 1234567890, "%s: SOURCE_DATE_EPOCH time stamp" % target)
        check(stamped.OPTIONAL_HEADER.CheckSum == stamped.generate_checksum(), "%s: checksum follows" % target)
        directories = [first.DIRECTORY_ENTRY_RESOURCE.struct.TimeDateStamp]
        for rtype in first.DIRECTORY_ENTRY_RESOURCE.entries:
            directories.append(rtype.directory.struct.TimeDateStamp)
            directories += [entry.directory.struct.TimeDateStamp for entry in rtype.directory.entries]
        check(set(directories) == {0}, "%s: resource directory time stamps %r" % (target, set(directories)))
    r = subprocess.run([CASKIT, "compile", linux_project(work, "r-bad")], capture_output=True,
                       env=dict(env, SOURCE_DATE_EPOCH="yesterday"))
    check(r.returncode == 1 and b"SOURCE_DATE_EPOCH is \"yesterday\"" in r.stderr, "bad SOURCE_DATE_EPOCH: %r" % r.stderr)


def test_errors(work):
    rc, out, err = caskit("new", os.path.join(work, "x.csk"))
    check(rc == 2 and "--jdk" in err, "new without --jdk: %d %r" % (rc, err))
    rc, out, err = caskit("new", os.path.join(work, "x.csk"), "--jdk", "2.0", "--no-such", "1")
    check(rc == 2 and "unknown option --no-such" in err, "unknown option: %d %r" % (rc, err))
    rc, out, err = caskit("new", os.path.join(work, "x.csk"), "--jdk", "2.0", "--min-heap", "12k")
    check(rc == 2 and "--min-heap" in err, "bad size: %d %r" % (rc, err))
    rc, out, err = caskit("new", os.path.join(work, "x.csk"), "--jdk", "2.0", "--file-version", "1.2.3")
    check(rc == 2, "bad version: %d" % rc)
    rc, out, err = caskit("new", os.path.join(work, "x.csk"), "--jdk", "2.0", "--property", "novalue")
    check(rc == 2, "property without =: %d" % rc)
    check(not os.path.exists(os.path.join(work, "x.csk")), "no project written on usage errors")
    rc, out, err = caskit("frobnicate")
    check(rc == 2, "unknown command: %d" % rc)
    rc, out, err = caskit("--help")
    check(rc == 0 and "caskit compile PROJECT.csk" in out and "--large-icon" in out, "help text")

    missing = os.path.join(work, "missing.csk")
    rc, out, err = caskit("compile", missing)
    check(rc == 1 and err.startswith("caskit compile: cannot read the project file %s: " % missing),
          "missing project: %d %r" % (rc, err))
    check(len(err.strip().splitlines()) == 1, "message is one line: %r" % err)

    damaged = os.path.join(work, "damaged.csk")
    open(damaged, "wb").write(open(linux_project(work, "d"), "rb").read()[:50])
    rc, out, err = caskit("compile", damaged)
    check(rc == 1 and "not a readable project file" in err, "damaged project: %d %r" % (rc, err))
    rc, out, err = caskit("show", damaged)
    check(rc == 1, "show damaged: %d" % rc)

    jdk11 = os.path.join(work, "old.csk")
    caskit("new", jdk11, "--jdk", "1.1", "--exe-name", "old", "--exe-folder", work, "--main-class", "M")
    rc, out, err = caskit("compile", jdk11, "--target", "linux-x64")
    check(rc == 1 and "no JDK 1.1 launcher for linux-x64" in err, "JDK 1.1 on Linux: %d %r" % (rc, err))
    check(not os.path.exists(os.path.join(work, "old")), "nothing written for JDK 1.1 on Linux")

    rc, out, err = caskit("compile", linux_project(work, "e"), "--target", "mac")
    check(rc == 2, "bad target: %d" % rc)
    rc, out, err = caskit("compile", linux_project(work, "f"), "--stubs", os.path.join(work, "nostubs"))
    check(rc == 1 and "cannot read the stub" in err, "missing stub: %d %r" % (rc, err))

    # Missing folders of the target are made; one that cannot be is named.
    project = linux_project(work, "g")
    target = os.path.join(work, "no", "such", "dir", "g")
    rc, out, err = caskit("compile", project, "--out", target)
    check(rc == 0 and os.listdir(os.path.dirname(target)) == ["g"], "folders made: %d %r" % (rc, err))
    open(os.path.join(work, "plain"), "wb").close()
    unmade = os.path.join(work, "plain", "dir")
    rc, out, err = caskit("compile", project, "--out", os.path.join(unmade, "g"))
    check(rc == 1 and err == "caskit compile: cannot make the folder %s: Not a directory\n" % unmade,
          "uncreatable folder: %d %r" % (rc, err))


def test_show_prints_every_setting(work):
    path = os.path.join(work, "full.csk")
    rc, out, err = caskit("new", path, "--jdk", "2.0", *full_project_args(work))
    check(rc == 0, "new full: rc %d %s" % (rc, err))
    rc, out, err = caskit("show", path)
    check(rc == 0 and err == "", "show full: rc %d %r" % (rc, err))
    folder = work + "/"
    expected = [
        "project            " + path,
        "jdk                2.0",
        "exe-name           \"hello\"",
        "exe-folder         \"%s\"" % folder,
        "target             \"%shello\"" % folder,
        "vm                 user defined",
        "vm-library         \"/opt/jdk/lib/server/libjvm.so\"",
        "main-class         \"hello.Main\"",
        "arguments          \"one \\\"two three\\\"\"",
        "class-path         2 entries",
        "  \"/apps/hello.jar\"",
        "  \"lib/extra.jar\"",
        "property           1 entry",
        "  \"hello.greeting=Hi there\"",
        "env                2 entries",
        "  \"APP_MODE=fast\"",
        "  \"EMPTY=\"",
        "class-path-mode    prepend",
        "verify             none",
        "async-gc           on",
        "class-gc           on",
        "jit                on",
        "console            on",
        "route-console      on",
        "min-heap           8192 KB",
        "max-heap           4294967295 KB",
        "native-stack       0 KB",
        "java-stack         64 KB",
        "version-info       on",
        "file-version       1.2.3.4",
        "product-version    65535.0.32767.9",
        "company            \"Tallowmark\"",
        "copyright          \"(c) 2026\"",
        "trademarks         \"TM\"",
        "comments           \"line\"",
        "large-icon         \"\" (no image)",
        "small-icon         \"\" (no image)",
        "jvm-option         0 entries",
        "java-min           \"\"",
        "java-max           \"\"",
        "download-url       \"\"",
        "console-program    off",
        "manifest           \"\"",
        "embed-jar          \"\"",
        "startup-cache      off",
        "working-folder     executable",
        "file-description   \"\"",
        "product-name       \"\"",
        "restart-exit-code  off",
        "single-instance    off",
        "instance-id        \"\"",
        "instance-handler   \"\"",
        "splash             \"\"",
        "splash-timeout     off",
        "code-page          1252 (not recorded)",
    ]
    check(out.splitlines() == expected, "show prints every setting in order: %r" % out)

    # The defaults of a new project, switches off and sizes as constructed.
    path = os.path.join(work, "default.csk")
    caskit("new", path, "--jdk", "1.1")
    rc, out, err = caskit("show", path)
    for line in ["jdk                1.1", "vm                 system", "class-path-mode    append",
                 "verify             remote", "async-gc           off", "jit                off",
                 "min-heap           1024 KB", "max-heap           16384 KB", "native-stack       128 KB",
                 "java-stack         512 KB", "version-info       off", "file-version       1.0.0.0",
                 "product-version    1.0.0.0", "class-path         0 entries"]:
        check(line in out.splitlines(), "show default lacks %r" % line)


def test_help_is_complete(work):
    rc, out, err = caskit("--help")
    check(rc == 0 and err == "", "help: %d %r" % (rc, err))
    options = [w for w in full_project_args(work) if w.startswith("--")]
    options = [w.split("=")[0] for w in options] + ["--jdk", "--large-icon", "--small-icon", "--target", "--out",
                                                     "--stubs", "--trailer", "--code-page"]
    for option in options:
        check(option in out, "help lacks %s" % option)
    options += ["--jvm-option", "--java-min", "--java-max", "--download-url", "--console-program", "--manifest",
                "--embed-jar", "--startup-cache", "--working-folder", "--file-description", "--product-name",
                "--clear-class-path", "--clear-properties", "--clear-env", "--clear-jvm-options"]
    for option in options:
        check(option in out, "help lacks %s" % option)
    for text in ["caskit new PROJECT.csk --jdk 1.1|2.0", "caskit compile PROJECT.csk", "caskit show PROJECT.csk",
                 "caskit set PROJECT.csk",
                 "windows-x64", "windows-x86", "linux-x64", "standard error",
                 "app.options", "%EXEDIR%", "JDK_JAVA_OPTIONS", "-Dcaskit.executable=", "caskit.executable.dir",
                 "-Djava.compiler=NONE", "outside the range"]:
        check(text in out, "help lacks %r" % text)
    # Where a launcher looks for Java, in order, on both systems.
    search = out[out.find("Where a launcher looks for Java"):]
    for order in (["registered for JDK 1.2", "beside the executable", "JAVA_HOME", "registry", "java.exe on PATH"],
                  ["beside the launcher", "JAVA_HOME", "java\n    on PATH", "default-java", "under /usr/lib/jvm"]):
        places = [search.find(place) for place in order]
        check(-1 not in places and places == sorted(places), "help: the search order %r" % order)
        search = search[max(places):]
    # --help after a command and its words shows the same text.
    for args in (["new", os.path.join(work, "x.csk"), "--jdk", "2.0", "--help"],
                 ["compile", os.path.join(work, "x.csk"), "--help"], ["show", "--help"]):
        rc2, out2, err2 = caskit(*args)
        check(rc2 == 0 and out2 == out and err2 == "", "help via %r: %d %r" % (args, rc2, err2))
    check(not os.path.exists(os.path.join(work, "x.csk")), "help writes no project")
    # A value that looks like --help is a value, not a request for help.
    path = os.path.join(work, "value.csk")
    rc, out, err = caskit("new", path, "--jdk", "2.0", "--arguments", "--help")
    check(rc == 0 and read_project(open(path, "rb").read())["arguments"] == "--help", "--help as a value")


def test_every_error_is_one_line(work):
    project = linux_project(work, "one")
    cases = [
        [],
        ["frobnicate"],
        ["new"],
        ["new", os.path.join(work, "x.csk")],
        ["new", os.path.join(work, "x.csk"), "--jdk", "3"],
        ["new", os.path.join(work, "x.csk"), "--jdk", "2.0", "--no-such", "1"],
        ["new", os.path.join(work, "x.csk"), "--jdk", "2.0", "--min-heap", "12k"],
        ["new", os.path.join(work, "x.csk"), "--jdk", "2.0", "--jit", "maybe"],
        ["new", os.path.join(work, "x.csk"), "--jdk", "2.0", "--main-class"],
        ["new", os.path.join(work, "x.csk"), os.path.join(work, "y.csk"), "--jdk", "2.0"],
        ["show"],
        ["show", os.path.join(work, "missing.csk")],
        ["compile"],
        ["compile", project, "--target", "mac"],
        ["compile", project, "--bogus"],
        ["compile", os.path.join(work, "missing.csk")],
        ["compile", project, "--stubs", os.path.join(work, "nostubs")],
    ]
    for args in cases:
        rc, out, err = caskit(*args)
        check(rc != 0, "%r succeeded" % args)
        check(len(err.splitlines()) == 1 and err.endswith("\n"), "%r: not one line on stderr: %r" % (args, err))


def test_failed_writes(work):
    path = linux_project(work, "big")
    target = os.path.join(work, "big")
    # The stub itself cannot be written completely.
    rc, out, err = caskit("compile", path, limit_kb=1)
    check(rc == 1 and err.startswith("Error Compiling Executable: %s: File too large" % target),
          "failed stub write: %d %r" % (rc, err))
    check(not os.path.exists(target), "no truncated launcher after a failed stub write")
    check(not os.path.exists(target + ".compiling"), "no temporary file after a failed stub write")

    # The stub fits, the trailer does not: a 2048-byte stub with a 2 KiB limit.
    stubs = os.path.join(work, "fakestubs")
    os.makedirs(stubs)
    open(os.path.join(stubs, "stub12"), "wb").write(b"\x7fELF" + b"\0" * 2044)
    rc, out, err = caskit("compile", path, "--stubs", stubs, limit_kb=2)
    check(rc == 1 and "Error Compiling Executable: %s: File too large" % target in err, "failed trailer: %d %r" % (rc, err))
    check(not os.path.exists(target), "no launcher without its trailer")

    # Saving: the old project survives a failed write, and no temporary file stays.
    before = open(path, "rb").read()
    rc, out, err = caskit("new", path, "--jdk", "1.1", "--comments", "c" * 4000, limit_kb=0)
    check(rc == 1 and err.startswith("Error Creating Project File: %s: File too large" % path),
          "failed save: %d %r" % (rc, err))
    check(open(path, "rb").read() == before, "old project file intact after a failed save")
    check(not [n for n in os.listdir(work) if n.endswith(".saving")], "no temporary file left")


def test_line_breaks(work):
    for option in ("exe-name", "exe-folder", "vm-library", "main-class", "class-path", "property", "env"):
        rc, out, err = caskit("new", os.path.join(work, "bad.csk"), "--jdk", "2.0", "--" + option, "A=b\nclasspath")
        check(rc == 2 and ("--%s: the value holds a line break" % option) in err, "--%s: %d %r" % (option, rc, err))
    check(not os.path.exists(os.path.join(work, "bad.csk")), "no project written")

    # A project file that already holds one opens and shows it, but does not compile.
    broken = os.path.join(work, "broken.csk")
    open(broken, "wb").write(open(linux_project(work, "old"), "rb").read().replace(b"/apps/h.jar", b"/apps\nh.jar"))
    rc, out, err = caskit("show", broken)
    check(rc == 0 and '  "/apps\\nh.jar"' in out.splitlines(), "show the stored line break: %d %r" % (rc, out))
    rc, out, err = caskit("compile", broken, "--out", os.path.join(work, "broken"))
    check(rc == 1 and err.startswith("Error Compiling Executable: ") and "The class path entry 1 holds a line break" in err
          and not os.path.exists(os.path.join(work, "broken")), "compile refuses: %d %r" % (rc, err))


def test_code_page(work):
    def utf8(text):
        return text.encode("latin-1").decode("utf-8", "replace")
    from icons import icon_file
    ico = os.path.join(work, "\u00efcon.ico")
    open(ico, "wb").write(icon_file()[0])
    path = os.path.join(work, "text.csk")
    rc, out, err = caskit("new", path, "--jdk", "2.0", "--exe-name", "caf\u00e9", "--exe-folder", work,
                          "--main-class", "hello.Main", "--copyright", "\u00a9 2026 Zo\u00eb", "--trademarks",
                          "Acme\u2122 \u20ac", "--large-icon", ico)
    p = read_project(open(path, "rb").read())
    stored = [p[k] for k in ("exeName", "legalCopyright", "legalTrademarks")]
    check(rc == 0 and stored == ["caf\xe9", "\xa9 2026 Zo\xeb", "Acme\x99 \x80"], "stored in 1252: %r" % stored)
    rc, out, err = caskit("show", path)
    for line in ["copyright          \"\u00a9 2026 Zo\u00eb\"", "trademarks         \"Acme\u2122 \u20ac\"",
                 "target             \"%s/caf\u00e9\"" % work, "large-icon         \"%s\"" % ico]:
        check(line in utf8(out).splitlines(), "show prints UTF-8 (and read the image): lacks %r" % line)
    rc, out, err = caskit("compile", path)
    check(rc == 0 and os.path.exists(os.path.join(work, "caf\u00e9")) and "wrote %s/caf\u00e9 " % work in utf8(out),
          "compile writes and names a UTF-8 file: %d %r" % (rc, out))

    rc, out, err = caskit("new", os.path.join(work, "jp.csk"), "--jdk", "2.0", "--company", "\u65e5\u672c")
    check(rc == 2 and "--company: \"\u65e5\" (U+65E5) has no place in code page 1252" in utf8(err)
          and not os.path.exists(os.path.join(work, "jp.csk")), "refused: %d %r" % (rc, err))
    caskit("new", os.path.join(work, "jp.csk"), "--jdk", "2.0", "--company", "\u65e5\u672c", "--code-page", "932")
    check(read_project(open(os.path.join(work, "jp.csk"), "rb").read())["companyName"] == "\x93\xfa\x96\x7b",
          "stored in code page 932")
    rc, out, err = caskit("show", "--code-page=932", os.path.join(work, "jp.csk"))
    check("company            \"\u65e5\u672c\"" in utf8(out), "show in 932: %r" % out)
    # A project written in another code page than 1252 records it: later
    # commands read its text in it without the option, and refuse one that
    # contradicts it.
    ru = os.path.join(work, "ru.csk")
    rc, out, err = caskit("new", ru, "--jdk", "2.0", "--code-page", "1251", "--exe-name", "\u043f\u0440\u043e\u0431a",
                          "--exe-folder", work, "--main-class", "hello.Main")
    check(rc == 0 and read_project(open(ru, "rb").read())["extension"] == {"codePage": 1251, "runtimeHeap": 3},
          "1251 recorded: %d %r" % (rc, err))
    rc, out, err = caskit("compile", ru, "--target", "linux-x64")
    check(rc == 0 and os.path.exists(os.path.join(work, "\u043f\u0440\u043e\u0431a")),
          "compiled without --code-page to the right name: %d %r" % (rc, utf8(out + err)))
    rc, out, err = caskit("show", ru)
    check("code-page          1251" in out.splitlines(), "show names the recorded code page: %r" % out)
    rc, out, err = caskit("compile", ru, "--code-page", "1252", "--target", "linux-x64")
    check(rc == 1 and "--code-page 1252 contradicts the project's code page 1251" in err,
          "contradicting code page: %d %r" % (rc, err))
    rc, out, err = caskit("show", "--code-page", "1200", os.path.join(work, "jp.csk"))
    check(rc == 2 and "--code-page: \"1200\" is not an ANSI code page" in err, "UTF-16 refused: %d %r" % (rc, err))


def test_build_tool_paths(work):
    import pefile
    from icons import icon_file
    target = windows_target()
    sub = os.path.join(work, "sub")
    os.makedirs(sub)
    for name in ("app.ico", "small.ico"):
        open(os.path.join(sub, name), "wb").write(icon_file()[0])
    # "new" checks relative icon paths where compile will look: beside the project.
    rc, out, err = caskit("new", os.path.join("sub", "p.csk"), "--jdk", "2.0", "--exe-folder", "out\\",
                          "--exe-name", "app.exe", "--main-class", "M", "--large-icon", "app.ico",
                          "--small-icon", "small.ico", cwd=work)
    check(rc == 0, "new with relative paths: %d %r" % (rc, err))
    check(read_project(open(os.path.join(sub, "p.csk"), "rb").read())["largeIconPath"] == "app.ico",
          "relative icon path stored as given")
    os.remove(os.path.join(sub, "small.ico"))
    os.makedirs(os.path.join(sub, "out"))
    # From another folder: the exe folder and icons count from the project's
    # folder; a backslash separates folders as in a project saved on Windows.
    args = ["compile", os.path.join(sub, "p.csk")] + (["--target", target] if target else [])
    rc, out, err = caskit(*args, cwd=work)
    produced = os.path.join(sub, "out", "app.exe")
    check(rc == 0 and os.path.exists(produced), "relative exe folder: %d %r" % (rc, err))
    check(err.splitlines() == ["caskit compile: warning: small-icon %s cannot be read "
                               "(Error Opening ,ico File for Reading); the executable gets no small icon"
                               % os.path.join(sub, "small.ico")], "one warning for the unreadable icon: %r" % err)
    rc, out, err = caskit("show", os.path.join(sub, "p.csk"), cwd=work)
    check(rc == 0 and {'large-icon         "app.ico"', 'small-icon         "small.ico" (no image)'} <= set(out.splitlines()),
          "show reads icons where compile does: %r" % out)
    if target:
        res = pe_resources(pefile.PE(produced))
        images = icon_file()[1]
        check(sorted(k for k in res if k[0] in (3, 14)) == [(3, 0, 0), (3, 1, 0), (14, 0, 0)] and
              [res[(3, 0, 0)], res[(3, 1, 0)]] == images, "only the readable icon file is written: %r" % sorted(res))

    # A drive path means nothing on Linux: an error naming the setting.
    windows = os.path.join(work, "windows.csk")
    caskit("new", windows, "--jdk", "2.0", "--exe-folder", "Z:\\tmp\\", "--exe-name", "hello-app.exe",
           "--main-class", "M")
    rc, out, err = caskit(*(["compile", windows] + (["--target", target] if target else [])), cwd=work)
    check(rc == 1 and "exe-folder" in err and "Windows drive" in err and windows in err,
          "drive path: %d %r" % (rc, err))
    check(not [n for n in os.listdir(work) if n.startswith("Z:")], "nothing written for a drive path")
    # --out replaces the exe folder, which is then not checked.
    rc, out, err = caskit(*(["compile", windows, "--out", "elsewhere.exe"] + (["--target", target] if target else [])),
                          cwd=work)
    check(rc == 0 and os.path.exists(os.path.join(work, "elsewhere.exe")), "drive path under --out: %d %r" % (rc, err))

    if target:  # a Windows executable without ".exe": a warning, still written
        path = linux_project(work, "noext")
        rc, out, err = caskit("compile", path, "--target", target)
        check(rc == 0 and os.path.exists(os.path.join(work, "noext")), "no .exe: %d %r" % (rc, err))
        check(err.count("warning") == 1 and '"noext" has no ".exe"' in err, "no .exe warning: %r" % err)


def test_missing_vm_library(work):
    """compile warns about a VM library missing on the system caskit runs
    on (for another target it cannot know), and writes the launcher."""
    path = os.path.join(work, "vm.csk")
    missing = os.path.join(work, "jdk", "lib", "server", "libjvm.soo")
    caskit("new", path, "--jdk", "2.0", "--exe-folder", work, "--exe-name", "vm.exe", "--main-class", "M",
           "--vm-library", missing)
    rc, out, err = caskit("compile", path, "--target", "linux-x64")
    check((rc, err) == (0, 'caskit compile: warning: the VM library "%s" does not exist on this system; the '
                           "launcher will look for another Java runtime\n" % missing), "host target: %d %r" % (rc, err))
    target = windows_target()
    if target:
        rc, out, err = caskit("compile", path, "--target", target)
        check((rc, err) == (0, ""), "%s: no warning: %d %r" % (target, rc, err))
    os.makedirs(os.path.dirname(missing))
    open(missing, "wb").close()
    rc, out, err = caskit("compile", path, "--target", "linux-x64")
    check((rc, err) == (0, ""), "library present: %d %r" % (rc, err))


def test_console_program_works_in_the_callers_folder(work):
    """new: a console program defaults to the caller's folder, unless told."""
    for options, expected in [([], None), (["--console-program", "on"], 1), (["--console-program", "off"], None),
                              (["--console-program", "on", "--working-folder", "executable"], None)]:
        path = os.path.join(work, "c.csk")
        rc, out, err = caskit("new", path, "--jdk", "2.0", *options)
        folder = read_project(open(path, "rb").read())["extension"].get("workingFolder")
        check((rc, folder) == (0, expected), "new %r: working folder %r (%d %r)" % (options, folder, rc, err))


def test_option_checks(work):
    path = os.path.join(work, "v.csk")
    rc, out, err = caskit("new", path, "--jdk", "2.0", "--file-version", "65535.0.0.1")
    check(rc == 0 and read_project(open(path, "rb").read())["fileVersion"] == [-1, 0, 0, 1],
          "file version 65535: %d %r" % (rc, err))
    rc, out, err = caskit("show", path)
    check("file-version       65535.0.0.1" in out.splitlines(), "show prints versions unsigned: %r" % out)
    for bad in ("65536.0.0.0", "-1.0.0.0", "1.0.0.+1"):
        rc, out, err = caskit("new", os.path.join(work, "bad.csk"), "--jdk", "2.0", "--product-version", bad)
        check(rc == 2 and "--product-version" in err, "version %s: %d %r" % (bad, rc, err))
    rc, out, err = caskit("new", os.path.join(work, "bad.csk"), "--jdk", "2.0", "--min-heap", "9000",
                          "--max-heap", "8000")
    check(rc == 2 and "--min-heap" in err and "--max-heap" in err, "min heap > max heap: %d %r" % (rc, err))
    check(not os.path.exists(os.path.join(work, "bad.csk")), "no project written for refused options")
    rc, out, err = caskit("show", path, "--help")
    check(rc == 0 and "caskit compile PROJECT.csk" in out, "show P.csk --help: %d %r" % (rc, err))

    # The JIT: on in new JDK 2.0 projects unless --jit off; off for JDK 1.1.
    for jdk, extra, jit in (("2.0", [], True), ("2.0", ["--jit", "off"], False), ("1.1", [], False)):
        caskit("new", path, "--jdk", jdk, *extra)
        check(read_project(open(path, "rb").read())["jitEnabled"] == jit, "jit of %s %r" % (jdk, extra))
    # The heap of a new JDK 2.0 project is the runtime's unless a size is given.
    caskit("new", path, "--jdk", "2.0", "--max-heap", "65536")
    rc, out, err = caskit("show", path)
    check("min-heap           runtime default" in out and "max-heap           65536 KB" in out, "heap: %r" % out)
    rc, out, err = caskit("new", os.path.join(work, "bad.csk"), "--jdk", "1.1", "--max-heap", "default")
    check(rc == 2 and "JDK 1.1 runtime needs a number" in err, "default on JDK 1.1: %d %r" % (rc, err))

    # A JDK 1.1 runtime takes sizes as 32-bit byte counts: 2 GB and more is refused.
    too_large = ("The maximum heap of 2097152 KB does not fit a JDK 1.1 runtime, which takes at most "
                 "2097151 KB (2 GB less 1 KB).")
    rc, out, err = caskit("new", path, "--jdk", "1.1", "--max-heap", "2097151")
    check(rc == 0, "JDK 1.1 heap of 2097151 KB: %d %r" % (rc, err))
    rc, out, err = caskit("new", os.path.join(work, "bad.csk"), "--jdk", "1.1", "--max-heap", "2097152")
    check(rc == 2 and too_large in err, "JDK 1.1 heap of 2 GB: %d %r" % (rc, err))
    caskit("new", path, "--jdk", "2.0", "--max-heap", "2097152", "--main-class", "M", "--exe-name", "x.exe")
    data = bytearray(open(path, "rb").read())
    data[4:8] = (1).to_bytes(4, "little")  # made a JDK 1.1 project elsewhere
    open(path, "wb").write(data)
    rc, out, err = caskit("compile", path, "--target", "windows-x64")
    check(rc == 1 and err == "caskit compile: %s: %s\n" % (path, too_large), "compile of a 2 GB JDK 1.1 heap: %r" % err)


def test_readme_example(work):
    """The README's command-line example, run as written in an empty folder."""
    readme = open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "README.md")).read()
    example = readme[readme.index("## Using the command-line builder"):]
    example = example[example.index("```sh\n") + 6:example.index("```", example.index("```sh") + 5)]
    commands = [c.split("#")[0] for c in example.replace("\\\n", " ").splitlines() if c.startswith("build/")]
    check(len(commands) == 5, "README example: %r" % commands)
    for command in commands:
        if "windows-x64" in command and not os.path.exists(os.path.join(STUBS, "windows-x64")):
            continue
        rc, out, err = caskit(*command.split()[1:], cwd=work)
        check(rc == 0, "README: %s: %d %r" % (command, rc, err))
    check(os.path.exists(os.path.join(work, "out", "app")), "README: out/app written")


def main():
    # Compiles here keep the stub's time stamp unless a test sets its own.
    os.environ.pop("SOURCE_DATE_EPOCH", None)
    with temp_folder("caskit-cli-") as work:
        for test in (test_new_writes_every_setting, test_set_changes_only_what_it_names,
                     test_set_at_once,
                     test_default_project_is_111_bytes, test_compile_linux_trailer,
                     test_icons, test_errors, test_failed_writes,
                     test_show_prints_every_setting, test_help_is_complete, test_every_error_is_one_line,
                     test_line_breaks, test_code_page, test_compile_windows, test_build_tool_paths,
                     test_option_checks, test_readme_example, test_full_quality_icons,
                     test_reproducible, test_missing_vm_library, test_console_program_works_in_the_callers_folder):
            folder = os.path.join(work, test.__name__)
            os.makedirs(folder)
            test(folder)
    return check.result()


if __name__ == "__main__":
    sys.exit(main())
