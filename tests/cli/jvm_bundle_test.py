"""jvm tier of caskit bundle: the example, bundled for linux-x64 with a
runtime jlink links from the host JDK (once, in dir, tar.gz and deb form),
runs with no other Java reachable (no JAVA_HOME, no java on PATH, an empty
/usr/lib/jvm) and prints what it prints under java; a module asked for
with --add-modules is linked in. The .deb depends on what its ELF files
need and has a desktop entry with the project's icon; as root it passes lintian, installs with dpkg -i, its /usr/bin
command runs the bundled runtime, and dpkg -r removes it.

    jvm_bundle_test.py CASKIT EXAMPLE_SOURCE_DIR JDK"""
import glob
import os
import shutil
import subprocess
import sys
import tarfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import Checks, fresh_folder, temp_folder, with_jvm_folder  # noqa: E402
from caskit_test import run_checked as run  # noqa: E402

CASKIT, SOURCES, JDK = (os.path.abspath(a) for a in sys.argv[1:4])


def without_java(cmd, work):
    """`cmd` with no Java reachable: an empty /usr/lib/jvm, PATH without java."""
    empty = fresh_folder(os.path.join(work, "empty-jvm"))
    view = fresh_folder(os.path.join(work, "real-jvm"))
    wrapped = with_jvm_folder(cmd, empty, view)
    if wrapped is None:
        raise SystemExit("no private mount namespace on this system (unshare)")
    env = {"PATH": "/usr/sbin:/usr/bin:/sbin:/bin", "HOME": work, "LANG": "C.UTF-8"}
    return subprocess.run(wrapped, capture_output=True, env=env, timeout=120)


def main():
    check = Checks()
    with temp_folder("caskit-bundle-jvm-") as work:
        app = fresh_folder(os.path.join(work, "app"))
        classes = os.path.join(work, "classes")
        run(os.path.join(JDK, "bin", "javac"), "-d", classes,
            *glob.glob(os.path.join(SOURCES, "src", "**", "*.java"), recursive=True))
        os.makedirs(os.path.join(app, "lib"))
        run(os.path.join(JDK, "bin", "jar"), "cf", os.path.join(app, "lib", "hello.jar"), "-C", classes, ".")
        project = os.path.join(app, "hello.csk")
        run(CASKIT, "new", project, "--jdk", "2.0", "--exe-name", "hello", "--exe-folder", ".",
            "--main-class", "hello.Main", "--class-path", "lib/*", "--arguments", "configured",
            "--property", "hello.greeting=bundled", "--company", "Caskit Tests <tests@caskit.invalid>",
            "--comments", "Greeting printed by a bundle",
            "--large-icon", os.path.join(SOURCES, "..", "..", "stubs", "stub.ico"))
        expected = run(os.path.join(JDK, "bin", "java"), "-Dhello.greeting=bundled", "-cp",
                       os.path.join(app, "lib", "hello.jar"), "hello.Main", "configured").splitlines()[:3]

        out = os.path.join(work, "dist")
        env = dict(os.environ, SOURCE_DATE_EPOCH="1700000000")
        run(CASKIT, "bundle", project, "--target", "linux-x64", "--jlink", JDK, "--out", out,
            "--format", "dir", "--format", "tar.gz", "--format", "deb", env=env)
        exe = os.path.join(out, "hello", "hello")
        r = without_java([exe], work)
        check(r.returncode == 0 and r.stdout.decode().splitlines()[:3] == expected,
              "bundled launcher without a system Java: %r %r" % (r.stdout, r.stderr))
        check(not os.path.exists(os.path.join(out, "hello", "runtime", "lib", "server", "classes.jsa")),
              "no default class-data archive")
        with tarfile.open(os.path.join(out, "hello-1.0.0-linux-x64.tar.gz")) as tar:
            member = tar.getmember("hello/hello")
            check(member.mode == 0o755 and member.mtime == 1700000000 and member.uname == "", "tar.gz member")

        # A module only --add-modules brings.
        out2 = os.path.join(work, "dist2")
        run(CASKIT, "bundle", project, "--target", "linux-x64", "--jlink", JDK, "--out", out2,
            "--add-modules", "jdk.localedata")
        with open(os.path.join(out2, "hello", "runtime", "release")) as f:
            check("jdk.localedata" in f.read(), "--add-modules linked the module")

        deb = os.path.join(out, "hello_1.0.0_amd64.deb")
        depends = run("dpkg-deb", "--field", deb, "Depends")
        check("libc6 (>=" in depends and "zlib1g" in depends, "Depends from the ELF files: " + depends)
        listing = run("dpkg-deb", "--contents", deb)
        check("./usr/share/applications/hello.desktop" in listing and
              "./usr/share/icons/hicolor/32x32/apps/hello.png" in listing, "desktop entry and icon: " + listing[-400:])
        if os.geteuid() != 0:
            print("not root: the .deb is not installed")
        elif shutil.which("lintian"):
            r = subprocess.run(["lintian", "--fail-on", "error,warning", deb], capture_output=True)
            check(r.returncode == 0, "lintian: %s" % r.stdout.decode())
            run("dpkg", "-i", deb)
            try:
                r = without_java(["/usr/bin/hello"], work)
                check(r.returncode == 0 and r.stdout.decode().splitlines()[:3] == expected,
                      "installed program: %r %r" % (r.stdout, r.stderr))
            finally:
                run("dpkg", "-r", "hello")
            check(not os.path.exists("/opt/hello"), "dpkg -r removed /opt/hello")
    return check.result()


if __name__ == "__main__":
    sys.exit(main())
