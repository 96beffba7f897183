#!/usr/bin/python3
"""jvm tier of the start-up cache on OpenJDK 17 and (where the machine has
it) the Java 25 runtime under /usr/lib/jvm: the first start records
nothing, the second records the classes, the archive is dumped in the
background and used from then on (the VM maps the Java compiler's classes
from it), with output, standard error and exit code those of `java -cp`;
a changed jar makes a new cache; a truncated archive, an archive of
another runtime and a cache folder that cannot be written give a normal
run; four starts at once all succeed. Each scenario has a cache folder of
its own (XDG_CACHE_HOME).

  jvm_cache.py --stub STUB --classes DIR --jar APP_JAR --java-home HOME --work SCRATCH
"""
import fcntl
import glob
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from caskit_test import expect_equal, fresh_folder, scenario_main  # noqa: E402
from jvm_launcher import Harness, block  # noqa: E402

JAVA25 = "/usr/lib/jvm/temurin-25-jdk-amd64"
JAVAC = "com.sun.tools.javac.Main"
# A compile that fails: diagnostics on standard error, exit code 1.
BAD_SOURCE = "class Bad { int x = ; }\n"
CLASS_LOG = "-Xlog:class+load=info:file=classload.txt"


class Cache(Harness):
    def cached_app(self, name, java_home, with_classes=True, **settings):
        """An app with the cache on, its own cache folder and runtime; returns exe."""
        settings.setdefault("classpath", ["classes"])
        exe = self.app(name, block(startupcache="1", **settings), with_classes, with_jar=True)
        self.env_of = getattr(self, "env_of", {})
        self.env_of[exe] = {"JAVA_HOME": java_home, "CASKIT_DIAGNOSTICS": "1",
                            "XDG_CACHE_HOME": fresh_folder(os.path.join(self.work, name + "-cache"))}
        return exe

    def folder(self, exe):
        return os.path.join(self.env_of[exe]["XDG_CACHE_HOME"], "caskit")

    def start(self, exe, args=(), env=None):
        """A run with the app's environment: (exit code, stdout, stderr
        without the diagnostics' beep), and the cache's log lines."""
        log = os.path.join(os.path.dirname(exe), "Log.txt")
        if os.path.exists(log):
            os.remove(log)
        rc, out, err = self.run(exe, args, env=dict(self.env_of[exe], **(env or {})))
        with open(log, "rb") as f:
            lines = [l.strip() for l in f.read().decode("latin-1").splitlines() if "Start-up cache:" in l]
        return (rc, out, err.replace("\a", "")), [l.split(": ", 1)[1].split(" /")[0] for l in lines]

    def wait_made(self, exe, timeout=240):
        """Waits until the dumping process has written an archive and let
        go of the lock."""
        end = time.time() + timeout
        while time.time() < end:
            made = glob.glob(os.path.join(self.folder(exe), "*.new"))
            if made and self.lock_free(made[0][:-4] + ".lck"):
                return made[0][:-4]
            time.sleep(0.5)
        raise AssertionError("no archive was made in %d s: %r" % (timeout, os.listdir(self.folder(exe))))

    @staticmethod
    def lock_free(path):
        with open(path, "a") as f:
            try:
                fcntl.flock(f, fcntl.LOCK_EX | fcntl.LOCK_NB)
            except BlockingIOError:
                return False
            fcntl.flock(f, fcntl.LOCK_UN)
            return True

    def made_and_used(self, exe, args=()):
        """Runs 1 and 2 (first start, recording), waits for the archive,
        run 3 takes and uses it; returns the three results and the archive's path without extension."""
        first, log1 = self.start(exe, args)
        expect_equal([f[-2:] for f in os.listdir(self.folder(exe))], [".m"], "files after the first start")
        second, log2 = self.start(exe, args)
        base = self.wait_made(exe)
        third, log3 = self.start(exe, args)
        expect_equal((log1, log2, log3), (["first start, nothing recorded"], ["records the classes into"],
                                          ["made", "uses"]), "log of the first three starts")
        return [first, second, third], base


def has_java25(h):
    if not os.path.exists(os.path.join(JAVA25, "lib", "server", "libjvm.so")):
        print("skipped on Java 25: no runtime at " + JAVA25)
        return False
    return True


def java_compiler(java_home):
    """The Java compiler started through the launcher: every run's output,
    standard error and exit code are those of `java -cp .`; from the third
    start on the VM loads the compiler's classes from the archive."""
    def scenario(h):
        if java_home == JAVA25 and not has_java25(h):
            return
        name = "javac%s" % os.path.basename(java_home)[:12]
        exe = h.cached_app(name, java_home, classname=JAVAC, classpath=[], jvmoptions=[CLASS_LOG])
        folder = os.path.dirname(exe)
        with open(os.path.join(folder, "Bad.java"), "w") as f:
            f.write(BAD_SOURCE)
        args = ["-d", "out", "Bad.java"]
        p = subprocess.run([os.path.join(java_home, "bin", "java"), CLASS_LOG.replace("classload", "java-classload"),
                            "-cp", ".", JAVAC] + args, cwd=folder, capture_output=True, env=h.env, timeout=120)
        expected = (p.returncode, p.stdout.decode("latin-1"), p.stderr.decode("latin-1"))
        expect_equal(expected[0] == 1 and "error:" in expected[2], True, "java -cp: a failed compile")
        results, _ = h.made_and_used(exe, args)
        expect_equal(results, [expected] * 3, "output, standard error and exit code of each start")
        with open(os.path.join(folder, "classload.txt")) as f:
            expect_equal("com.sun.tools.javac.main.JavaCompiler source: shared objects file" in f.read(), True,
                         "the compiler's classes mapped from the archive")
    return scenario


def changed_jar(h):
    """The program's classes in a jar beside the executable are archived
    too: the executable's folder, which holds nothing else, goes behind the
    jar. A file put beside them keeps the folder in front, under another
    key; a jar of the class path that changes makes a new cache."""
    class_log = os.path.join(h.work, "jar-classload.txt")
    exe = h.cached_app("jar", h.java_home, with_classes=False, classname="jvmjar.Hello", classpath=["app.jar"],
                       jvmoptions=["-Xlog:class+load=info:file=" + class_log])
    expected = (0, "hello from the jar, args=\n", "")
    results, base = h.made_and_used(exe)
    expect_equal(results, [expected] * 3, "the first three starts")
    with open(class_log) as f:
        expect_equal("jvmjar.Hello source: shared objects file" in f.read(), True, "the program's class archived")
    with open(base + ".m") as f:
        key = f.read()[:16]
    notes = os.path.join(os.path.dirname(exe), "notes.txt")
    open(notes, "w").close()
    expect_equal(h.start(exe), (expected, ["first start, nothing recorded"]), "start with a file beside the jar")
    os.remove(notes)
    expect_equal(h.start(exe), (expected, ["uses"]), "start without it")
    os.utime(os.path.join(os.path.dirname(exe), "app.jar"), (1000000, 1000000))
    result, log = h.start(exe)
    expect_equal((result, log), (expected, ["first start, nothing recorded"]), "start after the jar changed")
    keys = []
    for marker in glob.glob(os.path.join(h.folder(exe), "*.m")):
        with open(marker) as f:
            keys.append(f.read()[:16])
    expect_equal(any(k != key for k in keys), True, "a marker of a new key: %r (old %s)" % (keys, key))


def broken_archives(h):
    """A truncated archive gives a normal run (exit code of System.exit
    kept) and is made again; on Java 25, an archive of Java 17 in its place
    gives a normal run with nothing from the VM on the output."""
    exe = h.cached_app("truncated", h.java_home, classname="jvmtest.ExitThree")
    expected = (3, "exiting\n", "")
    results, base = h.made_and_used(exe)
    expect_equal(results, [expected] * 3, "the first three starts")
    with open(base + ".jsa", "r+b") as f:
        f.truncate(os.path.getsize(base + ".jsa") // 2)
    result, log = h.start(exe)
    expect_equal((result, log), (expected, ["records the classes into"]), "start with the truncated archive")
    h.wait_made(exe)
    expect_equal(h.start(exe), (expected, ["made", "uses"]), "made again")
    if not has_java25(h):
        return
    exe25 = h.cached_app("foreign", JAVA25, classname="jvmtest.ExitThree")
    _, base25 = h.made_and_used(exe25)
    shutil.copyfile(base + ".jsa", base25 + ".jsa")
    with open(base25 + ".m") as f:
        key = f.read()[:16]
    with open(base25 + ".m", "w") as f:
        f.write(key + "%016x" % os.path.getsize(base25 + ".jsa"))
    expect_equal(h.start(exe25), (expected, ["uses"]), "Java 25 given an archive of Java 17")


def unwritable_folder(h):
    """A cache folder in which no file can be made (a folder of /proc, which
    refuses new files even to root), and one that cannot be made: normal
    runs, nothing on standard error."""
    exe = h.cached_app("unwritable", h.java_home)
    plain = h.run(exe)
    # The user's own -Xshare:off: no cache at all.
    rc, log = h.start(exe, env={"JDK_JAVA_OPTIONS": "-Xshare:off"})
    expect_equal((rc[0], log, os.path.exists(h.folder(exe))), (0, ["off for -Xshare:off"], False),
                 "sharing decided by the user")
    os.symlink("/proc/self/fdinfo", h.folder(exe))
    expect_equal([h.start(exe)[0] for _ in range(2)], [(plain[0], plain[1], "")] * 2, "runs")
    expect_equal(h.start(exe)[1], ["cannot write"], "log")
    os.remove(h.folder(exe))
    with open(h.folder(exe), "w") as f:
        f.write("a file where the folder belongs")
    expect_equal(h.start(exe), ((plain[0], plain[1], ""), ["no folder"]), "cache folder that cannot be made")


def four_at_once(h):
    """Four starts at the same moment, before and after the archive is
    made: all run the program."""
    exe = h.cached_app("four", h.java_home, classname="jvmjar.Hello", classpath=["app.jar"])
    env = dict(h.env, **h.env_of[exe])
    del env["CASKIT_DIAGNOSTICS"]
    expected = [(0, b"hello from the jar, args=\n", b"")] * 4
    h.start(exe)
    for round in ("recording", "archive made"):
        runs = [subprocess.Popen([exe], cwd=h.work, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
                for _ in range(4)]
        results = [(p.wait(timeout=120),) + p.communicate() for p in runs]
        expect_equal(results, expected, "four starts, " + round)
        if round == "recording":
            h.wait_made(exe)


SCENARIOS = [
    ("the Java compiler on Java 17", java_compiler("/usr/lib/jvm/java-17-openjdk-amd64")),
    ("the Java compiler on Java 25", java_compiler(JAVA25)),
    ("the program's jar archived, and changed", changed_jar),
    ("truncated and foreign archives", broken_archives),
    ("a cache folder that cannot be written", unwritable_folder),
    ("four starts at once", four_at_once),
]


def main():
    return scenario_main(Cache, SCENARIOS, ("--stub", "--classes", "--jar", "--java-home", "--work"))


if __name__ == "__main__":
    sys.exit(main())
