"""The jar inside the executable on the real JVM: caskit takes the main
class from the jar's manifest; the Linux launcher, copied alone into an
empty folder, runs the program with its resource read from the executable
itself; a Windows executable with the jar (resource and trailer forms) is
a class path Java reads, before and after osslsigncode signs it, and the
signature verifies.

    jvm_embed_test.py CASKIT JAVA_HOME"""
import os
import shutil
import subprocess
import sys

import pefile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import Checks, sign_executable, temp_folder  # noqa: E402

CASKIT, JAVA_HOME = (os.path.abspath(a) for a in sys.argv[1:3])
SOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "embed")
STUBS = os.path.join(os.path.dirname(CASKIT), "stubs")
RESOURCE = "resource: hello from inside the executable"
check = Checks()


def run(*cmd, **kw):
    r = subprocess.run(list(cmd), capture_output=True, timeout=120, **kw)
    return r.returncode, r.stdout.decode(), r.stderr.decode()


def make_jar(work):
    classes = os.path.join(work, "classes")
    shutil.copytree(SOURCES, classes)
    rc, _, err = run(os.path.join(JAVA_HOME, "bin", "javac"), "-d", classes, os.path.join(classes, "emb", "Main.java"))
    assert rc == 0, err
    jar = os.path.join(work, "app.jar")
    rc, _, err = run(os.path.join(JAVA_HOME, "bin", "jar"), "cfe", jar, "emb.Main", "-C", classes, ".")
    assert rc == 0, err
    return jar


def linux_launcher_alone(work, project):
    rc, out, err = run(CASKIT, "compile", project, "--target", "linux-x64")
    check(rc == 0 and "caskit compile: main class emb.Main, from the manifest of " in out,
          "compile for Linux: %d %s %s" % (rc, out, err))
    alone = os.path.join(work, "alone")
    os.makedirs(alone)
    exe = os.path.join(alone, "app")
    shutil.copy2(os.path.join(work, "out", "app"), exe)
    env = {k: v for k, v in os.environ.items() if k != "CLASSPATH"}
    env["JAVA_HOME"] = JAVA_HOME
    rc, out, err = run(exe, "one", cwd=alone, env=env)
    lines = out.splitlines()
    check(rc == 0 and lines == [RESOURCE, "first entry: " + exe, "arguments: one"],
          "Linux launcher alone: %d %r %s" % (rc, lines, err))
    # A folder whose name holds the class-path separator: the jar is named
    # relative to the launcher's folder, the current one while it runs.
    split = os.path.join(work, "al:one")
    shutil.copytree(alone, split)
    rc, out, err = run(os.path.join(split, "app"), "one", cwd=work, env=env)
    check(rc == 0 and out.splitlines() == [RESOURCE, "first entry: app", "arguments: one"],
          "Linux launcher in %s: %d %r %s" % (split, rc, out, err))


def java_reads(exe, what):
    rc, out, err = run(os.path.join(JAVA_HOME, "bin", "java"), "-cp", exe, "emb.Main")
    check(rc == 0 and out.splitlines()[:2] == [RESOURCE, "first entry: " + exe],
          "%s: java -cp: %d %r %s" % (what, rc, out, err))


def sign(exe, folder):
    signed, problem = sign_executable(exe, folder)
    check(problem is None, problem)
    return signed or exe


def windows_executables(work, project, jar):
    target = next((t for t in ("windows-x64", "windows-x86") if os.path.exists(os.path.join(STUBS, t, "stub12.exe"))),
                  None)
    if not target:
        print("note: no staged Windows stubs; the Windows executables are not checked")
        return
    with open(jar, "rb") as f:
        jar_bytes = f.read()
    for form in ("resources", "trailer"):
        exe = os.path.join(work, "win-%s.exe" % form)
        rc, out, err = run(CASKIT, "compile", project, "--target", target, "--out", exe,
                           *(["--trailer"] if form == "trailer" else []))
        check(rc == 0, "compile %s: %d %s" % (form, rc, err))
        pe = pefile.PE(exe)
        data = open(exe, "rb").read()
        check(pe.OPTIONAL_HEADER.CheckSum == pe.generate_checksum(), "%s: header checksum" % form)
        placed = data.endswith(jar_bytes) if form == "resources" else jar_bytes in data[:-4]
        check(placed and pe.get_overlay().startswith(b"\0\0\0\0" + jar_bytes), "%s: the jar's place" % form)
        pe.close()
        java_reads(exe, form)
        java_reads(sign(exe, work), form + ", signed")


def main():
    with temp_folder("caskit-embed-") as work:
        jar = make_jar(work)
        project = os.path.join(work, "p.csk")
        rc, _, err = run(CASKIT, "new", project, "--jdk", "2.0", "--exe-name", "app", "--exe-folder", "out",
                         "--embed-jar", "app.jar")
        check(rc == 0, "new: %d %s" % (rc, err))
        os.makedirs(os.path.join(work, "out"))
        linux_launcher_alone(work, project)
        windows_executables(work, project, jar)
        return check.result()


if __name__ == "__main__":
    sys.exit(main())
