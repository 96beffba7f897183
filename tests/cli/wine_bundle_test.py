"""Wine tier of caskit bundle: caskit.exe, where no wixl is on PATH, makes
the zip of a windows-x64 bundle whose runtime is the stand-in jvm.dll and
says that no .msi was written. The Linux caskit makes the .msi (wixl);
msiexec /i installs it into Program Files, the installed launcher starts
its bundled runtime (the stand-in's log says so), a second version with
the same UpgradeCode replaces the first, and msiexec /x removes it.

    wine_bundle_test.py CASKIT_EXE STANDINS WORK [HOST_CASKIT]"""
import zipfile
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import Checks, fresh_folder, run_to_files, winpath  # noqa: E402

CASKIT_EXE, STANDINS, WORK = (os.path.abspath(a) for a in sys.argv[1:4])
CASKIT = os.path.abspath(sys.argv[4]) if len(sys.argv) > 4 else ""
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


def windows_caskit_zip():
    """caskit.exe bundle writes the zip and names the missing wixl."""
    app = fresh_folder(os.path.join(WORK, "exe-app"))
    os.makedirs(os.path.join(app, "lib"))
    open(os.path.join(app, "lib", "hello.jar"), "wb").close()
    csk = winpath(os.path.join(app, "hello.csk"))
    rc, _, err = run_to_files([WINE, CASKIT_EXE, "new", csk, "--jdk", "2.0", "--exe-name", "hello.exe",
                               "--exe-folder", ".", "--main-class", "hello.Main", "--class-path", "lib/*"], WORK)
    check(rc == 0, "caskit.exe new: " + err)
    out = os.path.join(WORK, "exe-dist")
    rc, _, err = run_to_files([WINE, CASKIT_EXE, "bundle", csk, "--target", "windows-x64", "--runtime",
                               winpath(os.path.join(WORK, "rt")), "--format", "zip", "--format", "msi",
                               "--out", winpath(out)], WORK, timeout=120)
    check(rc == 0 and "wixl" in err and "no .msi written" in err, "caskit.exe bundle: rc %d %r" % (rc, err))
    rc, _, err = run_to_files([WINE, CASKIT_EXE, "bundle", csk, "--target", "windows-x64", "--runtime",
                               winpath(os.path.join(WORK, "rt")), "--out", winpath(os.path.join(WORK, "rt", "out"))],
                              WORK, timeout=120)
    check(rc == 1 and "inside the runtime" in err, "caskit.exe bundle into the runtime: rc %d %r" % (rc, err))
    made = os.path.join(out, "hello-1.0.0-windows-x64.zip")
    names = zipfile.ZipFile(made).namelist() if os.path.exists(made) else []
    check({"hello/hello.exe", "hello/lib/hello.jar", "hello/runtime/bin/server/jvm.dll"} <= set(names)
          and sorted(os.listdir(out)) == ["hello-1.0.0-windows-x64.zip"], "caskit.exe's zip: %r" % names)


def main():
    fresh_folder(WORK)
    rt = os.path.join(WORK, "rt", "bin", "server")
    os.makedirs(rt)
    shutil.copyfile(os.path.join(STANDINS, "jvm.dll"), os.path.join(rt, "jvm.dll"))
    windows_caskit_zip()
    if not CASKIT or not shutil.which("wixl"):
        print("no Linux caskit or no wixl: the installer is not tested")
        return check.result()
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
