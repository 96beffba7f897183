#!/usr/bin/python3
"""jvm tier of the Linux launcher's runtime search, on OpenJDK: without
JAVA_HOME it finds the runtime through java on PATH (a chain of links, as
/usr/bin/java -> /etc/alternatives/java -> the runtime's bin/java) and
through a jre link beside the launcher (which wins over JAVA_HOME); a
library of the wrong ELF class is passed over with its reason; under a
private /usr/lib/jvm the newest runtime there is taken, and with nothing
usable anywhere the message lists every rejected candidate. Which
candidate was taken, and why others were not, is read from Log.txt.

  jvm_discovery.py --stub STUB --classes DIR --java-home HOME --work SCRATCH
"""
import os
import shutil
import struct
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import (Scenarios, expect_equal, fresh_folder, parameter_block, scenario_main, trailer,  # noqa: E402
                         with_jvm_folder)

WRONG_CLASS = "32-bit library, this program is 64-bit"
NOT_FOUND = ("Can't locate libjvm.so: JAVA_HOME does not name a Java runtime.\n"
             "Set JAVA_HOME to the folder of a Java runtime.\n\n"
             "This application will now try the library search path.\n"
             "Error: Can't locate libjvm.so")


def elf32_library():
    """The header of a 32-bit x86 ELF shared library (only ever read)."""
    ident = b"\x7fELF" + bytes([1, 1, 1]) + bytes(9)
    return ident + struct.pack("<HHI", 3, 3, 1) + bytes(32)


class Harness(Scenarios):
    def __init__(self, args):
        super().__init__()
        self.stub = os.path.abspath(args.stub)
        self.classes = os.path.abspath(args.classes)
        self.java_home = os.path.realpath(args.java_home)
        self.work = fresh_folder(os.path.abspath(args.work))
        self.libjvm = os.path.join(self.java_home, "lib", "server", "libjvm.so")
        # Under a private /usr/lib/jvm the real one is seen here.
        self.real_view = fresh_folder(os.path.join(self.work, "real-jvm"))
        self.hidden_libjvm = self.libjvm
        if self.libjvm.startswith("/usr/lib/jvm/"):
            self.hidden_libjvm = self.real_view + self.libjvm[len("/usr/lib/jvm"):]
        # No java on PATH, no JAVA_HOME, unless a scenario gives them.
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("CLASSPATH", "JAVA_HOME", "JAVA_TOOL_OPTIONS", "_JAVA_OPTIONS", "JDK_JAVA_OPTIONS",
                                 "LD_LIBRARY_PATH")}
        self.env.update(PATH=fresh_folder(os.path.join(self.work, "empty-bin")), CASKIT_DIAGNOSTICS="1")

    def app(self, name, binarypath="#internal#"):
        folder = fresh_folder(os.path.join(self.work, name))
        exe = os.path.join(folder, "app")
        shutil.copyfile(self.stub, exe)
        os.chmod(exe, 0o755)
        block = parameter_block(binarypath, classname="jvmtest.PrintAll", classpath=[self.classes])
        with open(exe, "ab") as f:
            f.write(trailer(block.encode("latin-1")))
        return folder, exe

    def runtime(self, home, library, release=None):
        """A runtime folder (in a private /usr/lib/jvm) whose
        lib/server/libjvm.so is a link to the real one ("real"), a 32-bit
        header ("elf32"), the first bytes of one ("truncated") or absent
        (None)."""
        os.makedirs(os.path.join(home, "lib", "server"))
        lib = os.path.join(home, "lib", "server", "libjvm.so")
        if library == "real":
            os.symlink(self.hidden_libjvm, lib)
        elif library is not None:
            with open(lib, "wb") as f:
                f.write(elf32_library() if library == "elf32" else b"\x7fELF\x02\x01")
        if release is not None:
            with open(os.path.join(home, "release"), "w") as f:
                f.write(release)
        return lib

    def run(self, exe, env=None, jvm_folder=None):
        """Runs the launcher from its folder; returns (exit code, standard
        output, standard error, the Runtime lines of Log.txt)."""
        run_env = dict(self.env, **(env or {}))
        cmd = [exe]
        if jvm_folder is not None:
            cmd = with_jvm_folder(cmd, jvm_folder, self.real_view)
            if cmd is None:
                raise AssertionError("no private mount namespace on this system (unshare)")
        folder = os.path.dirname(exe)
        log = os.path.join(folder, "Log.txt")
        if os.path.exists(log):
            os.remove(log)
        p = subprocess.run(cmd, cwd=folder, env=run_env, capture_output=True, timeout=120)
        with open(log, "rb") as f:
            lines = [line[3:] for line in f.read().decode("latin-1").split("\n") if line.startswith("   Runtime ")]
        err = p.stderr.decode("latin-1")
        # Diagnostics begin with the bell that stands for the F12 beep.
        expect_equal(err[:1], "\a", "bell of the diagnostics")
        return p.returncode, p.stdout.decode("latin-1"), err[1:], lines

    def started(self, exe, env=None, jvm_folder=None):
        rc, out, err, lines = self.run(exe, env, jvm_folder)
        expect_equal((rc, err, out.splitlines()[:1]), (0, "", ["argc=0"]), "PrintAll ran")
        return lines


def java_on_path(h):
    """java on PATH, reached through two links, leads to the runtime."""
    _, exe = h.app("path")
    bin_folder = fresh_folder(os.path.join(h.work, "path-bin"))
    alternatives = fresh_folder(os.path.join(h.work, "alternatives"))
    os.symlink(os.path.join(h.java_home, "bin", "java"), os.path.join(alternatives, "java"))
    os.symlink(os.path.join(alternatives, "java"), os.path.join(bin_folder, "java"))
    lines = h.started(exe, {"PATH": h.env["PATH"] + ":" + bin_folder})
    expect_equal(lines, ["Runtime %s: taken (java on PATH)" % h.libjvm], "Log.txt")


def jre_link_beside(h):
    """A jre link beside the launcher wins over JAVA_HOME."""
    folder, exe = h.app("beside")
    os.symlink(h.java_home, os.path.join(folder, "jre"))
    lines = h.started(exe, {"JAVA_HOME": h.java_home})
    expect_equal(lines, ["Runtime %s/jre/lib/server/libjvm.so: taken (beside the program)" % folder], "Log.txt")


def wrong_class_skipped(h):
    folder, exe = h.app("wrong_class")
    lib = h.runtime(os.path.join(folder, "jre"), "elf32")
    lines = h.started(exe, {"JAVA_HOME": h.java_home})
    expect_equal(lines, ["Runtime %s: %s (beside the program)" % (lib, WRONG_CLASS),
                         "Runtime %s: taken (JAVA_HOME)" % h.libjvm], "Log.txt")


def newest_under_usr_lib_jvm(h):
    """Under /usr/lib/jvm the newest release is examined first, whatever
    the folder names say; a 32-bit one is passed over."""
    _, exe = h.app("usr_lib_jvm")
    jvm = fresh_folder(os.path.join(h.work, "jvm-newest"))
    lib17 = h.runtime(os.path.join(jvm, "c-runtime"), "elf32", 'JAVA_VERSION="17.0.2"\n')
    lib11 = h.runtime(os.path.join(jvm, "b-runtime"), "real", 'JAVA_VERSION="11.0.9"\n')
    h.runtime(os.path.join(jvm, "a-runtime"), "real", 'JAVA_VERSION="1.8.0_402"\n')
    lines = h.started(exe, jvm_folder=jvm)
    expect_equal(lines, ["Runtime %s: %s (/usr/lib/jvm)" % (lib17.replace(jvm, "/usr/lib/jvm"), WRONG_CLASS),
                         "Runtime %s: taken (/usr/lib/jvm)" % lib11.replace(jvm, "/usr/lib/jvm")], "Log.txt")


def nothing_found(h):
    """Everything rejected: the messages as without the search, the last
    followed by every rejected candidate; a release file that is not
    closed is only noted, and default-java is examined once."""
    folder, exe = h.app("nothing")
    beside = h.runtime(os.path.join(folder, "jre"), "elf32")
    jvm = fresh_folder(os.path.join(h.work, "jvm-nothing"))
    h.runtime(os.path.join(jvm, "java-11-empty"), None)
    os.symlink("java-11-empty", os.path.join(jvm, "default-java"))
    h.runtime(os.path.join(jvm, "java-21-cut"), "truncated", 'JAVA_VERSION="21.0.1\n')
    with open(os.path.join(jvm, ".java-21-cut.jinfo"), "w") as f:
        f.write("name=java-21-cut\n")
    rc, out, err, lines = h.run(exe, {"JAVA_HOME": "relative/jdk"}, jvm_folder=jvm)
    rejected = ["%s: %s" % (beside, WRONG_CLASS), "relative/jdk: not a path",
                "/usr/lib/jvm/default-java: no libjvm.so in this folder",
                "/usr/lib/jvm/java-21-cut/lib/server/libjvm.so: truncated file"]
    expect_equal((rc, out, err), (1, "", NOT_FOUND + "\n\n" + "\n".join(rejected) + "\n"), "messages")
    expect_equal(lines[3], "Runtime /usr/lib/jvm/java-21-cut/release: JAVA_VERSION not terminated (/usr/lib/jvm)",
                 "release file noted")
    expect_equal(len(lines), 5, "one line per candidate and the note")


def bundled_runtime_only(h):
    """"#bundled#" takes the runtime folder beside the launcher and nothing
    else: with it missing or damaged the message names it, though
    JAVA_HOME and PATH have a Java."""
    folder, exe = h.app("bundled", "#bundled#")
    env = {"JAVA_HOME": h.java_home, "PATH": os.path.join(h.java_home, "bin")}
    rc, out, err, lines = h.run(exe, env)
    expect_equal((rc, err.split("\n\n")[-1]), (1, folder + "/runtime: folder not found\n"), "missing runtime named")
    lib = h.runtime(os.path.join(folder, "runtime"), "elf32")
    rc, out, err, lines = h.run(exe, env)
    expect_equal((rc, lines), (1, ["Runtime %s: %s (bundled)" % (lib, WRONG_CLASS)]), "damaged runtime named")
    shutil.rmtree(os.path.join(folder, "runtime"))
    os.symlink(h.java_home, os.path.join(folder, "runtime"))
    lines = h.started(exe, env)
    expect_equal(lines, ["Runtime %s/runtime/lib/server/libjvm.so: taken (bundled)" % folder], "Log.txt")


SCENARIOS = [
    ("bundled runtime only", bundled_runtime_only),
    ("java on PATH through links", java_on_path),
    ("jre link beside the launcher", jre_link_beside),
    ("wrong ELF class skipped", wrong_class_skipped),
    ("newest under /usr/lib/jvm", newest_under_usr_lib_jvm),
    ("nothing found", nothing_found),
]


def main():
    return scenario_main(Harness, SCENARIOS, ("--stub", "--classes", "--java-home", "--work"))

if __name__ == "__main__":
    sys.exit(main())
