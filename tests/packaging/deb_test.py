"""The Debian package as a user gets it: its control fields and files,
and caskit run from the package extracted into a scratch root (no build
tree in sight): --version, and `new` + `compile` for linux-x64 and
windows-x64 with the stubs of the package, also through a symbolic link
to caskit from another folder.

    deb_test.py DEB_FOLDER VERSION"""
import os
import re
import subprocess
import sys

import pefile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import Checks, pe_resources, temp_folder  # noqa: E402

FOLDER, VERSION = sys.argv[1:3]
STUBS = "usr/lib/caskit/stubs/"
FILES = {
    "usr/bin/caskit",
    STUBS + "linux-x64/stub12", STUBS + "windows-x64/stub11.exe", STUBS + "windows-x64/stub12.exe",
    STUBS + "windows-x86/stub11.exe", STUBS + "windows-x86/stub12.exe", STUBS + "windows-x64/stub12c.exe",
    STUBS + "windows-x86/stub12c.exe",
    "usr/share/doc/caskit/Caskit.html", "usr/share/doc/caskit/user-guide.md",
    "usr/share/doc/caskit/copyright", "usr/share/doc/caskit/changelog.gz",
    "usr/share/man/man1/caskit.1.gz",
}
check = Checks()


def run(cmd, cwd):
    r = subprocess.run(cmd, cwd=cwd, capture_output=True, env={"PATH": "/usr/bin:/bin", "LANG": "C.UTF-8"})
    return r.returncode, r.stdout.decode("utf-8", "replace"), r.stderr.decode("utf-8", "replace")


def control_fields(deb):
    fields = ["Package", "Version", "Architecture", "Depends"]
    out = subprocess.run(["dpkg-deb", "--field", deb] + fields, capture_output=True, check=True).stdout.decode()
    return dict(line.split(": ", 1) for line in out.splitlines() if ": " in line)


def packaged_files(root):
    found = {}
    for folder, _, names in os.walk(root):
        for name in names:
            path = os.path.join(folder, name)
            found[os.path.relpath(path, root)] = os.stat(path).st_mode & 0o777
    return found


def compile_both(caskit, work, what):
    """new + compile for linux-x64 and windows-x64 with `caskit`."""
    project = os.path.join(work, "app.csk")
    os.makedirs(os.path.join(work, "out"), exist_ok=True)
    rc, out, err = run([caskit, "new", project, "--jdk", "2.0", "--main-class", "hello.Main", "--exe-name", "app",
                        "--exe-folder", "out", "--class-path", "app.jar"], work)
    check(rc == 0, "%s: new: rc %d %s" % (what, rc, err))
    rc, out, err = run([caskit, "compile", project, "--target", "linux-x64"], work)
    check(rc == 0 and err == "", "%s: compile linux-x64: rc %d %s" % (what, rc, err))
    rc, out, err = run([caskit, "compile", project, "--target", "windows-x64", "--out", "out/app.exe"], work)
    check(rc == 0 and err == "", "%s: compile windows-x64: rc %d %s" % (what, rc, err))
    return os.path.join(work, "out", "app"), os.path.join(work, "out", "app.exe")


def main():
    debs = [n for n in os.listdir(FOLDER) if n.endswith(".deb")]
    check(debs == ["caskit_%s_amd64.deb" % VERSION], "package file names: %r" % debs)
    if not debs:
        return check.result()
    deb = os.path.join(FOLDER, debs[0])
    fields = control_fields(deb)
    check(fields.get("Package") == "caskit" and fields.get("Version") == VERSION
          and fields.get("Architecture") == "amd64", "control fields: %r" % fields)
    depends = {re.split(r"[ (]", d.strip())[0] for d in fields.get("Depends", "").split(",")}
    # zlib reads the manifest of a jar to embed.
    check({"libc6", "libstdc++6", "zlib1g"} <= depends <= {"libc6", "libstdc++6", "libgcc-s1", "zlib1g"},
          "Depends: %r" % depends)

    with temp_folder("caskit-deb-") as scratch:
        root = os.path.join(scratch, "root")
        subprocess.run(["dpkg-deb", "-x", deb, root], check=True)
        files = packaged_files(root)
        check(set(files) == FILES, "files: missing %r, unexpected %r" % (FILES - set(files), set(files) - FILES))
        for path, mode in files.items():
            program = path in ("usr/bin/caskit", STUBS + "linux-x64/stub12")
            check(mode == (0o755 if program else 0o644), "mode of %s: %o" % (path, mode))
        caskit = os.path.join(root, "usr", "bin", "caskit")
        for command in ("--version", "version"):
            rc, out, err = run([caskit, command], scratch)
            check(rc == 0 and out == "caskit %s\n" % VERSION, "caskit %s: rc %d %r %r" % (command, rc, out, err))

        work = os.path.join(scratch, "work")
        os.makedirs(work)
        linux, windows = compile_both(caskit, work, "installed caskit")
        stub = open(os.path.join(root, STUBS, "linux-x64", "stub12"), "rb").read()
        produced = open(linux, "rb").read() if os.path.exists(linux) else b""
        check(produced.startswith(stub) and len(produced) > len(stub), "the Linux launcher is the packaged stub12 "
              "and its settings (%d bytes, stub %d)" % (len(produced), len(stub)))
        check(os.access(linux, os.X_OK), "the Linux launcher is executable")
        if os.path.exists(windows):
            resources = pe_resources(pefile.PE(windows))
            check((1000, 1, 0) in resources and (1000, 2, 0) in resources, "the Windows executable has its "
                  "settings as resources: %r" % sorted(resources))

        # A link from a folder of its own, as /usr/local/bin/caskit might be.
        linked = os.path.join(scratch, "elsewhere")
        os.makedirs(os.path.join(linked, "bin"))
        os.symlink(caskit, os.path.join(linked, "bin", "caskit"))
        compile_both(os.path.join(linked, "bin", "caskit"), linked, "caskit through a link")
    return check.result()


sys.exit(main())
