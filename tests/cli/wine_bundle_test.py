"""Wine tier of caskit bundle's Windows installer: the Linux caskit makes
the .msi (wixl) of a windows-x64 bundle whose runtime is the stand-in
jvm.dll; msiexec /i installs it into Program Files, the installed
launcher starts its bundled runtime (the stand-in's log says so), a second
version with the same UpgradeCode replaces the first, and msiexec /x
removes it.

    wine_bundle_test.py HOST_CASKIT STANDINS WORK"""
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import Checks, fresh_folder, run_to_files, winpath  # noqa: E402

CASKIT, STANDINS, WORK = (os.path.abspath(a) for a in sys.argv[1:4])
WINE = "/usr/lib/wine/wine64"
check = Checks()


def installer(app, version, jar):
    """The .msi of version `version` whose lib folder holds only `jar`."""
    lib = fresh_folder(os.path.join(app, "lib"))
    open(os.path.join(lib, jar), "wb").close()
    csk = os.path.join(app, "hello.csk")
    if os.path.exists(csk):
        os.remove(csk)
    subprocess.run([CASKIT, "new", csk, "--jdk", "2.0", "--exe-name", "hello.exe", "--exe-folder", ".",
                    "--main-class", "hello.Main", "--class-path", "lib/*", "--company", "Caskit Tests",
                    "--product-version", version], check=True, capture_output=True)
    out = os.path.join(WORK, "dist")
    r = subprocess.run([CASKIT, "bundle", csk, "--target", "windows-x64", "--runtime", os.path.join(WORK, "rt"),
                        "--format", "msi", "--out", out], capture_output=True)
    check(r.returncode == 0, "bundle %s: %s" % (version, r.stderr.decode()))
    return os.path.join(out, "hello-%s-windows-x64.msi" % version[:5])


def msiexec(*args):
    rc, _, err = run_to_files([WINE, "msiexec"] + list(args), WORK, timeout=300)
    return rc


def main():
    if not shutil.which("wixl"):
        print("wixl is not installed: skipped")
        return 0
    fresh_folder(WORK)
    rt = os.path.join(WORK, "rt", "bin", "server")
    os.makedirs(rt)
    shutil.copyfile(os.path.join(STANDINS, "jvm.dll"), os.path.join(rt, "jvm.dll"))
    app = fresh_folder(os.path.join(WORK, "app"))
    first, second = installer(app, "1.0.0.0", "old.jar"), installer(app, "2.0.0.0", "new.jar")
    installed = os.path.join(os.environ["WINEPREFIX"], "drive_c", "Program Files", "Caskit Tests", "hello")

    check(msiexec("/i", winpath(first), "/qn") == 0, "msiexec /i of version 1")
    exe = os.path.join(installed, "hello.exe")
    log = os.path.join(WORK, "standin.log")
    env = dict(os.environ, CASKIT_STANDIN_LOG=winpath(log), JAVA_HOME="")
    rc, _, _ = run_to_files([WINE, exe], WORK, env=env, cwd=WORK, timeout=120)
    with open(log, "rb") if os.path.exists(log) else open(os.devnull, "rb") as f:
        record = f.read().decode("latin-1")
    check(rc == 0 and "Program Files\\Caskit Tests\\hello\\runtime\\bin" in record,
          "the installed launcher starts its bundled runtime: rc %d, %r" % (rc, record[:600]))

    check(msiexec("/i", winpath(second), "/qn") == 0, "msiexec /i of version 2")
    check(sorted(os.listdir(os.path.join(installed, "lib"))) == ["new.jar"], "version 2 replaced version 1")
    check(msiexec("/x", winpath(second), "/qn") == 0 and not os.path.exists(exe), "msiexec /x removed it")
    return check.result()


if __name__ == "__main__":
    sys.exit(main())
