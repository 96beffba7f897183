#!/usr/bin/python3
"""jvm tier of the start-up cache on OpenJDK 17 and (where the machine has
it) the Java 25 runtime under /usr/lib/jvm: the first start records
nothing, the second records the classes, the archive is dumped in the
background and used from then on (the VM maps the Java compiler's classes
from it), with output, standard error and exit code those of `java -cp`;
a changed jar makes a new cache; a damaged or truncated archive and an
archive of another runtime give a normal run and a new archive; a cache
folder others could change is not used; four starts at once all succeed. Each scenario has a cache folder of
its own (XDG_CACHE_HOME).

  jvm_cache.py --stub STUB --caskit CASKIT --classes DIR --jar APP_JAR --java-home HOME --work SCRATCH
"""
import fcntl
import glob
import os
import shutil
import struct
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
    def __init__(self, args):
        super().__init__(args)
        self.caskit = os.path.abspath(args.caskit)

    def cached_app(self, name, java_home, with_classes=True, **settings):
        """An app with the cache on, its own cache folder and runtime; returns exe."""
        settings.setdefault("classpath", ["classes"])
        exe = self.app(name, block(startupcache="1", **settings), with_classes, with_jar=True)
        self.env_of = getattr(self, "env_of", {})
        self.env_of[exe] = {"JAVA_HOME": java_home, "CASKIT_DIAGNOSTICS": "1",
                            "XDG_CACHE_HOME": fresh_folder(os.path.join(self.work, name + "-cache"))}
        return exe

    def names(self, exe):
        """The names of the archives (with a marker) in the app's cache folder."""
        return sorted(f[:-2] for f in os.listdir(self.folder(exe)) if f.endswith(".m"))

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

    def wait_made(self, exe, timeout=240, count=1):
        """Waits until the dumping processes have written `count` archives
        and let go of their locks."""
        end = time.time() + timeout
        while time.time() < end:
            made = glob.glob(os.path.join(self.folder(exe), "*.new"))
            if len(made) >= count and all(self.lock_free(m[:-4] + ".lck") for m in made):
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
                                          ["made", "tries"]), "log of the first three starts")
        return [first, second, third], base


def archive_hash(path):
    """The launcher's hash of an archive: FNV-1a's steps over each 64-bit
    little-endian word, then over the bytes after the last."""
    with open(path, "rb") as f:
        data = f.read()
    h, prime, mask = 0xcbf29ce484222325, 0x100000001b3, (1 << 64) - 1
    whole = len(data) // 8 * 8
    for (word,) in struct.iter_unpack("<Q", data[:whole]):
        h = ((h ^ word) * prime) & mask
    for b in data[whole:]:
        h = ((h ^ b) * prime) & mask
    return h


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


def damaged(h, java_home, name):
    """An archive of the right size with 64 KB flipped inside gives a
    normal run that the VM refuses, and a new archive later."""
    exe = h.cached_app(name, java_home, classname="jvmtest.ExitThree")
    expected = (3, "exiting\n", "")
    results, base = h.made_and_used(exe)
    expect_equal(results, [expected] * 3, "the first three starts")
    with open(base + ".jsa", "r+b") as f:
        f.seek(1 << 20)
        flipped = bytes(b ^ 0xff for b in f.read(65536))
        f.seek(1 << 20)
        f.write(flipped)
    expect_equal(h.start(exe), (expected, ["records the classes into"]), "start with the damaged archive")
    h.wait_made(exe)
    expect_equal(h.start(exe), (expected, ["made", "tries"]), "made again")
    expect_equal(h.start(exe), (expected, ["uses"]), "and used")
    return exe, base, expected


def broken_archives(h):
    """A damaged archive of the right size is refused and made again; a
    truncated archive gives a normal run (exit code of System.exit kept)
    and is made again; on Java 25, an archive of Java 17 in its place
    gives a normal run with nothing from the VM on the output."""
    exe, base, expected = damaged(h, h.java_home, "truncated")
    with open(base + ".jsa", "r+b") as f:
        f.truncate(os.path.getsize(base + ".jsa") // 2)
    result, log = h.start(exe)
    expect_equal((result, log), (expected, ["records the classes into"]), "start with the truncated archive")
    h.wait_made(exe)
    expect_equal(h.start(exe), (expected, ["made", "tries"]), "made again")
    if not has_java25(h):
        return
    exe25, base25, _ = damaged(h, JAVA25, "foreign")
    shutil.copyfile(base + ".jsa", base25 + ".jsa")
    with open(base25 + ".m") as f:
        key = f.read()[:16]
    with open(base25 + ".m", "w") as f:
        f.write(key + "%016x%016x" % (os.path.getsize(base25 + ".jsa"), archive_hash(base25 + ".jsa")))
    expect_equal(h.start(exe25), (expected, ["uses"]), "Java 25 given an archive of Java 17")


def untrusted_folder(h):
    """A cache folder that is a link (to a folder of the user's, to one of
    /proc), belongs to another user (when run as root) or can be written by
    the group: normal runs, nothing written there. A link planted at the
    class list's name is removed, not written through (no file appears)."""
    exe = h.cached_app("untrusted", h.java_home)
    plain = h.run(exe)[:2] + ("",)
    folder = h.folder(exe)
    # The user's own -Xshare:off: no cache at all.
    rc, log = h.start(exe, env={"JDK_JAVA_OPTIONS": "-Xshare:off"})
    expect_equal((rc[0], log, os.path.exists(folder)), (0, ["off for -Xshare:off"], False),
                 "sharing decided by the user")
    elsewhere = fresh_folder(os.path.join(h.work, "elsewhere"))
    os.chmod(elsewhere, 0o700)
    for target in (elsewhere, "/proc/self/fdinfo"):
        os.symlink(target, folder)
        expect_equal([h.start(exe) for _ in range(2)], [(plain, ["folder is a link:"])] * 2, "a link to " + target)
        os.remove(folder)
    os.mkdir(folder)
    os.chmod(folder, 0o770)
    expect_equal(h.start(exe), (plain, ["folder can be written by others:"]), "a group-writable folder")
    os.chmod(folder, 0o700)
    if os.geteuid() == 0:  # another user's folder (only root can make one)
        os.chown(folder, 65534, 65534)
        expect_equal(h.start(exe), (plain, ["folder belongs to another user:"]), "another user's folder")
    expect_equal(os.listdir(folder) + os.listdir(elsewhere), [], "nothing written in the folders refused")
    os.rmdir(folder)
    with open(folder, "w") as f:
        f.write("a file where the folder belongs")
    expect_equal(h.start(exe), (plain, ["folder is no folder:"]), "a file where the folder belongs")
    os.remove(folder)
    # A link at the class list's name, planted after the first start.
    h.start(exe)
    marker = glob.glob(os.path.join(folder, "*.m"))[0]
    victim = os.path.join(h.work, "untrusted", "Bad.java")
    os.symlink(victim, marker[:-2] + ".lst")
    expect_equal(h.start(exe), (plain, ["records the classes into"]), "recording start")
    h.wait_made(exe)
    expect_equal((os.path.exists(victim), os.path.islink(marker[:-2] + ".lst")), (False, False), "the link's target")


def housekeeping(h):
    """Two configurations of one executable alternating each get their
    archive; a second program's archive made beyond the cap
    (CASKIT_STARTUP_CACHE_MB) removes the least recently used one; caskit
    cache list names each program and runtime, and clear removes one
    program's files, then all."""
    exe = h.cached_app("alternating", h.java_home, classname="jvmjar.Hello", classpath=["app.jar"])
    expected = (0, "hello from the jar, args=\n", "")
    logs = []
    for round in range(3):
        logs += [h.start(exe, env={"JDK_JAVA_OPTIONS": "-Dconfiguration=" + v})[1] for v in "12"]
        if round == 1:
            h.wait_made(exe, count=2)
    expect_equal((len(h.names(exe)), logs[4:]), (2, [["made", "tries"]] * 2), "an archive for each configuration")
    other = h.cached_app("other", h.java_home, classname="jvmjar.Hello", classpath=["app.jar"])
    h.env_of[other]["XDG_CACHE_HOME"] = h.env_of[exe]["XDG_CACHE_HOME"]
    old = h.names(exe)
    os.utime(os.path.join(h.folder(exe), old[0] + ".m"), (1000000, 1000000))
    h.env_of[other]["CASKIT_STARTUP_CACHE_MB"] = str(os.path.getsize(os.path.join(h.folder(exe), old[1] + ".jsa"))
                                                     * 5 // 2 >> 20)
    h.start(other), h.start(other), h.wait_made(other)
    expect_equal(h.start(other), (expected, ["made", "tries"]), "the other program's archive")
    left = h.names(exe)
    expect_equal((old[0] in left, old[1] in left, len(left)), (False, True, 2), "the least recently used removed")
    env = dict(h.env, XDG_CACHE_HOME=h.env_of[exe]["XDG_CACHE_HOME"])
    listing = subprocess.run([h.caskit, "cache", "list"], capture_output=True, env=env, text=True)
    library = os.path.join(h.java_home, "lib", "server", "libjvm.so")
    expect_equal((listing.returncode, listing.stdout.count(exe + "\n    runtime " + library),
                  listing.stdout.count(other + "\n")), (0, 1, 1), "caskit cache list: " + listing.stdout)
    # The first program's remaining archive stays when the other's go.
    for which, left_over in ((other, [f for f in os.listdir(h.folder(exe)) if f.startswith(old[1] + ".")]),
                             ("--all", [])):
        cleared = subprocess.run([h.caskit, "cache", "clear", which], capture_output=True, env=env, text=True)
        expect_equal((cleared.stdout, sorted(os.listdir(h.folder(exe)))), ("1 removed\n", sorted(left_over)),
                     "caskit cache clear " + which)


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
    ("untrusted cache folders", untrusted_folder),
    ("four starts at once", four_at_once),
    ("two configurations, the cap and caskit cache", housekeeping),
]


def main():
    return scenario_main(Cache, SCENARIOS, ("--stub", "--caskit", "--classes", "--jar", "--java-home", "--work"))


if __name__ == "__main__":
    sys.exit(main())
