"""caskit bundle on the host, with stand-in runtimes (a VM library that is
only its header): the application folder's layout (relative entries,
"dir/*" wildcards, the options file), refused input (absolute and missing
entries, a runtime of the wrong bitness, a format the target lacks) that
leaves the previous output as it was, archives that are byte-identical
from two runs (entry order, SOURCE_DATE_EPOCH, modes, no owners), and the
Windows installer wixl makes from caskit's WiX source, read back with
msiinfo: non-ASCII names, files, the shortcut, an UpgradeCode that stays
with the names.

    bundle_test.py CASKIT"""
import os
import shutil
import struct
import subprocess
import sys
import tarfile
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import Checks, fresh_folder, temp_folder  # noqa: E402

CASKIT = os.path.abspath(sys.argv[1])
check = Checks()


def caskit(*args, env=None):
    r = subprocess.run([CASKIT] + list(args), capture_output=True, env=env)
    return r.returncode, r.stdout.decode("utf-8"), r.stderr.decode("utf-8")


def write(path, data=b"x"):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def runtime(folder, kind):
    """A stand-in runtime: the header of a 64-bit ("elf64") or 32-bit
    ("elf32") x86 ELF library, or an x64 PE DLL ("pe64")."""
    if kind == "pe64":
        pe = b"PE\0\0" + struct.pack("<HHIIIHH", 0x8664, 0, 0, 0, 0, 240, 0x2022) + struct.pack("<H", 0x20B)
        write(os.path.join(folder, "bin", "server", "jvm.dll"),
              b"MZ" + bytes(58) + struct.pack("<I", 64) + pe + bytes(238))
    else:
        bits = 2 if kind == "elf64" else 1
        write(os.path.join(folder, "lib", "server", "libjvm.so"),
              b"\x7fELF" + bytes([bits, 1, 1]) + bytes(9) + struct.pack("<HHI", 3, 62 if bits == 2 else 3, 1)
              + bytes(48))
    write(os.path.join(folder, "release"), b'JAVA_VERSION="17.0.9"\n')
    return folder


def project(work, exe="hello", class_path=("lib/*", "classes", "conf/app.properties"), extra=()):
    app = os.path.join(work, "app")
    path = os.path.join(app, "hello.csk")
    args = ["new", path, "--jdk", "2.0", "--exe-name", exe, "--exe-folder", ".", "--main-class", "hello.Main"]
    for entry in class_path:
        args += ["--class-path", entry]
    if os.path.exists(path):
        os.remove(path)
    rc, out, err = caskit(*(args + list(extra)))
    check(rc == 0, "new: " + err)
    return path


def layout(work):
    app = os.path.join(work, "app")
    for name in ("lib/b.jar", "lib/a.jar", "lib/notes.txt", "classes/hello/Main.class", "conf/app.properties",
                 "hello.options"):
        write(os.path.join(app, name))
    os.chmod(os.path.join(app, "lib", "a.jar"), 0o755)
    csk = project(work)
    out = os.path.join(work, "dist")
    rc, _, err = caskit("bundle", csk, "--target", "linux-x64", "--runtime", runtime(os.path.join(work, "rt"), "elf64"),
                        "--out", out)
    check(rc == 0, "bundle: " + err)
    made = sorted(os.path.relpath(os.path.join(d, f), os.path.join(out, "hello"))
                  for d, _, files in os.walk(os.path.join(out, "hello")) for f in files)
    check(made == ["classes/hello/Main.class", "conf/app.properties", "hello", "hello.options", "lib/a.jar",
                   "lib/b.jar", "runtime/lib/server/libjvm.so", "runtime/release"], "layout: %s" % made)
    check(sorted(os.listdir(out)) == ["hello"], "nothing else in the output folder: %s" % os.listdir(out))
    return out


def refused(work, out):
    before = os.listdir(os.path.join(out, "hello"))
    rt = os.path.join(work, "rt")
    absolute = os.path.join(work, "app", "lib", "a.jar")
    cases = [
        (("lib/*", absolute), ["--runtime", rt], 1, '"%s" is absolute' % absolute),
        (("missing.jar",), ["--runtime", rt], 1, '"missing.jar" names nothing'),
        (("lib/*",), ["--runtime", runtime(os.path.join(work, "rt32"), "elf32")], 1, "32-bit library"),
        (("lib/*",), ["--runtime", rt, "--format", "deb", "--target", "windows-x64"], 2,
         "deb is not made for windows-x64"),
    ]
    for class_path, args, code, text in cases:
        path = project(work, class_path=class_path)
        rc, _, err = caskit(*(["bundle", path, "--target", "linux-x64", "--out", out] + args))
        check(rc == code and text in err, "refused (%s): %d %s" % (text, rc, err))
    check(os.listdir(os.path.join(out, "hello")) == before and sorted(os.listdir(out)) == ["hello"],
          "the previous bundle intact, no work folder left")
    path = project(work, class_path=("lib/*", absolute))
    rc, _, err = caskit("bundle", path, "--target", "linux-x64", "--out", out, "--runtime", rt, "--allow-absolute")
    check(rc == 0 and not os.path.exists(os.path.join(out, "hello", absolute.lstrip("/"))), "--allow-absolute: " + err)


def reproducible(work):
    csk = project(work)
    env = dict(os.environ, SOURCE_DATE_EPOCH="1700000000")
    outputs = []
    for run in ("one", "two"):
        out = os.path.join(work, run)
        rc, _, err = caskit("bundle", csk, "--target", "linux-x64", "--runtime", os.path.join(work, "rt"), "--out",
                            out, "--format", "zip", "--format", "tar.gz", env=env)
        check(rc == 0, "archives: " + err)
        outputs.append(out)
        os.utime(os.path.join(work, "app", "lib", "a.jar"), (1, 1))  # the second run sees other file times
    for name in ("hello-1.0.0-linux-x64.zip", "hello-1.0.0-linux-x64.tar.gz"):
        with open(os.path.join(outputs[0], name), "rb") as a, open(os.path.join(outputs[1], name), "rb") as b:
            check(a.read() == b.read(), name + ": two runs give the same bytes")
    with zipfile.ZipFile(os.path.join(outputs[0], "hello-1.0.0-linux-x64.zip")) as z:
        names = [i.filename for i in z.infolist()]
        check(names == sorted(names, key=lambda n: n.encode()) and names[0] == "hello/", "zip order: %s" % names)
        check(all(i.date_time == (2023, 11, 14, 22, 13, 20) for i in z.infolist()), "zip times")
        check(z.getinfo("hello/hello").external_attr >> 16 == 0o100755, "zip keeps the launcher executable")
    with tarfile.open(os.path.join(outputs[0], "hello-1.0.0-linux-x64.tar.gz")) as t:
        members = t.getmembers()
        check([m.name for m in members] == [n.rstrip("/") for n in names], "tar order as zip")
        check(all(m.mtime == 1700000000 and m.uname == "" and m.uid == 0 for m in members), "tar times, owners")
        modes = {m.name: m.mode for m in members}
        check(modes["hello/lib/a.jar"] == 0o755 and modes["hello/lib/b.jar"] == 0o644, "tar modes")


def msi(work):
    if not shutil.which("wixl") or not shutil.which("msiinfo"):
        print("note: wixl or msiinfo missing; the installer is not checked")
        return
    if not os.path.exists(os.path.join(os.path.dirname(CASKIT), "stubs", "windows-x64", "stub12.exe")):
        print("note: no staged windows-x64 stubs; the installer is not checked")
        return
    rt = runtime(os.path.join(work, "rt-win"), "pe64")
    codes = []
    for company, version in (("Société Ökö", "1.0.0.0"), ("Société Ökö", "2.1.0.0"), ("Other", "1.0.0.0")):
        csk = project(work, "Grüße.exe", ("lib/*",), ["--company", company, "--product-version", version])
        out = fresh_folder(os.path.join(work, "msi"))
        rc, _, err = caskit("bundle", csk, "--target", "windows-x64", "--runtime", rt, "--out", out, "--format", "msi")
        check(rc == 0, "msi: " + err)
        made = os.path.join(out, "Grüße-%s-windows-x64.msi" % version[:5])
        props = subprocess.run(["msiinfo", "export", made, "Property"], capture_output=True).stdout.decode()
        codes.append([l.split("\t")[1] for l in props.splitlines() if l.startswith("UpgradeCode\t")])
        if len(codes) == 1:
            files = subprocess.run(["msiinfo", "export", made, "File"], capture_output=True).stdout.decode()
            check("Grüße.exe" in files and "jvm.dll" in files and "a.jar" in files, "File table: " + files)
            shortcut = subprocess.run(["msiinfo", "export", made, "Shortcut"], capture_output=True).stdout.decode()
            check("[INSTALLDIR]Grüße.exe" in shortcut, "Shortcut table: " + shortcut)
            dirs = subprocess.run(["msiinfo", "export", made, "Directory"], capture_output=True).stdout.decode()
            check("ProgramFiles64Folder" in dirs and "Société Ökö" in dirs, "Directory table: " + dirs)
    check(codes[0] == codes[1] and codes[0] != codes[2] and len(codes[0]) == 1,
          "the UpgradeCode stays with the names: %s" % codes)
    rc, _, err = caskit("bundle", csk, "--target", "windows-x64", "--runtime", rt, "--out", out, "--format", "msi",
                        "--upgrade-code", "{0f0e0d0c-0b0a-0908-0706-050403020100}")
    props = subprocess.run(["msiinfo", "export", os.path.join(out, "Grüße-1.0.0-windows-x64.msi"), "Property"],
                           capture_output=True).stdout.decode()
    check("UpgradeCode\t{0F0E0D0C-0B0A-0908-0706-050403020100}" in props, "--upgrade-code: " + err)


def main():
    with temp_folder("caskit-bundle-") as work:
        out = layout(work)
        refused(work, out)
        reproducible(work)
        msi(work)
    return check.result()


if __name__ == "__main__":
    sys.exit(main())
