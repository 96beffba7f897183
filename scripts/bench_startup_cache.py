#!/usr/bin/python3
"""Benchmark (not a test) of the launcher's start-up cache on two
programs: the Java compiler (com.sun.tools.javac.Main compiling one small
file), and a program of 3,000 classes in two jars under lib/ whose main
uses them all (the project's default class path otherwise: the
executable's folder first). Each is started through the Linux launcher
with the cache on, paired with `java -cp` of the same run on the same
runtime and heap sizes, each pair in alternating order.

Each round starts with an empty cache folder and makes five starts one
after the other, as a user would (the first records nothing, the second
records the class list, the archive is dumped in the background meanwhile),
then waits for the archive and makes the later starts. Printed: the median
wall time of each start of the five and of the later ones, each against
java; the time the background dump takes; and the launcher with the
setting off against java.

  bench_startup_cache.py STUB JAVA_HOME [ROUNDS] [javac|jars]
"""
import fcntl
import glob
import os
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import time

LATER = 6  # later starts per round
HEAP = ("65536", "262144")  # KB, the launcher's and java's


def configure(stub, path, java_home, cache, main, class_path):
    lines = ["binarypath", os.path.join(java_home, "lib", "server", "libjvm.so"), "classname", main,
             "parameters", "", "appendcp", "environment", "0", "classpath", str(len(class_path))] + class_path + \
            ["properties", "0", "minheap", HEAP[0], "maxheap", HEAP[1]] + (["startupcache", "1"] if cache else [])
    block = "".join(l + "\n" for l in lines).encode()
    shutil.copyfile(stub, path)
    os.chmod(path, 0o755)
    with open(path, "ab") as f:
        f.write(block + struct.pack("<I", len(block)))


def timed(cmd, cwd, env):
    start = time.perf_counter()
    p = subprocess.run(cmd, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    took = time.perf_counter() - start
    if p.returncode != 0 or p.stdout:
        sys.exit("the compile failed (%s): %s" % (cmd[0], p.stdout.decode(errors="replace")))
    return took


def pair(launcher, java, order, cwd, env):
    """(launcher time, java time), the one going first by `order`."""
    if order % 2:
        j = timed(java, cwd, env)
        return timed(launcher, cwd, env), j
    return timed(launcher, cwd, env), timed(java, cwd, env)


def archive_made(folder, timeout=300):
    """Waits until the dumping process has made an archive and let go of
    its lock."""
    end = time.time() + timeout
    while time.time() < end:
        for made in glob.glob(os.path.join(folder, "caskit", "*.new")) + \
                glob.glob(os.path.join(folder, "caskit", "*.jsa")):
            with open(made[:-4] + ".lck", "a") as f:
                try:
                    fcntl.flock(f, fcntl.LOCK_EX | fcntl.LOCK_NB)
                    return
                except BlockingIOError:
                    pass
        time.sleep(0.05)
    sys.exit("no archive was made in %d s" % timeout)


def jars_program(work, java_home):
    """3,000 small classes in lib/a.jar and lib/b.jar of `work` and a main
    that calls each and fails unless their sum is right."""
    src = os.path.join(work, "src")
    for pkg in ("pa", "pb"):
        os.makedirs(os.path.join(src, pkg))
        for i in range(1500):
            with open(os.path.join(src, pkg, "C%d.java" % i), "w") as f:
                f.write("package %s; public class C%d { public static int v(int x) { return x * %d; } }\n"
                        % (pkg, i, i + 1))
    os.makedirs(os.path.join(src, "app"))
    parts = ["static long m%d() { long s = 0; %s return s; }" % (k, "".join(
        "s += pa.C%d.v(1) + pb.C%d.v(2);" % (i, i) for i in range(k, k + 250))) for k in range(0, 1500, 250)]
    with open(os.path.join(src, "app", "Main.java"), "w") as f:
        f.write("package app; public class Main { %s public static void main(String[] a) { if (%s != 3377250) System.exit(1); } }"
                % (" ".join(parts), " + ".join("m%d()" % k for k in range(0, 1500, 250))))
    sources = [os.path.join(d, n) for d, _, names in os.walk(src) for n in names]
    subprocess.run([os.path.join(java_home, "bin", "javac"), "-d", os.path.join(work, "out")] + sources, check=True)
    os.makedirs(os.path.join(work, "lib"))
    for jar, parts in (("a.jar", ["pa", "app"]), ("b.jar", ["pb"])):
        subprocess.run([os.path.join(java_home, "bin", "jar"), "cf", os.path.join(work, "lib", jar)] +
                       [a for part in parts for a in ("-C", os.path.join(work, "out"), part)], check=True)
    shutil.rmtree(src)
    shutil.rmtree(os.path.join(work, "out"))


def main():
    stub, java_home = sys.argv[1], sys.argv[2]
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    program = sys.argv[4] if len(sys.argv) > 4 else "javac"
    work = tempfile.mkdtemp()
    try:
        java = [os.path.join(java_home, "bin", "java"), "-Xms%sk" % HEAP[0], "-Xmx%sk" % HEAP[1], "-cp"]
        if program == "jars":
            # The executable's folder holds the launcher and lib/ alone.
            jars_program(work, java_home)
            for app in ("on", "off"):
                os.makedirs(os.path.join(work, app + "-app"))
                os.symlink(os.path.join(work, "lib"), os.path.join(work, app + "-app", "lib"))
            main_class, class_path, args = "app.Main", ["lib/a.jar", "lib/b.jar"], []
            java += [".:lib/a.jar:lib/b.jar:", main_class]
        else:
            with open(os.path.join(work, "Small.java"), "w") as f:
                f.write("class Small { public static void main(String[] a) { System.out.println(a.length); } }\n")
            main_class, class_path, args = "com.sun.tools.javac.Main", [], ["-d", "out", "Small.java"]
            java += [".", main_class] + args
        on, off_exe = ((os.path.join(work, "on-app", "app"), os.path.join(work, "off-app", "app")) if program == "jars"
                       else (os.path.join(work, "on"), os.path.join(work, "off")))
        configure(stub, on, java_home, True, main_class, class_path)
        configure(stub, off_exe, java_home, False, main_class, class_path)
        env = dict(os.environ, JAVA_HOME=java_home)
        for name in ("CLASSPATH", "CASKIT_DIAGNOSTICS", "JDK_JAVA_OPTIONS", "JAVA_TOOL_OPTIONS"):
            env.pop(name, None)
        caches = os.path.join(work, "caches")
        os.makedirs(caches)
        timed(java, work, env)  # warm-up
        ratios = [[] for _ in range(6)]  # starts 1 to 5, later ones
        times = [[] for _ in range(6)]
        dumps, off = [], []
        for r in range(rounds):
            env["XDG_CACHE_HOME"] = cache = tempfile.mkdtemp(dir=caches)
            for i in range(5):
                a, b = pair([on] + args, java, i + r, work, env)
                ratios[i].append(a / b)
                times[i].append(a)
            archive_made(cache)
            timed([on] + args, work, env)  # takes the archive into place
            for i in range(LATER):
                a, b = pair([on] + args, java, i + r, work, env)
                ratios[5].append(a / b)
                times[5].append(a)
            # The dump alone: a fresh folder, a first and a recording start,
            # then the time until the archive is made.
            env["XDG_CACHE_HOME"] = cache = tempfile.mkdtemp(dir=caches)
            timed([on] + args, work, env)
            timed([on] + args, work, env)
            start = time.perf_counter()
            archive_made(cache)
            dumps.append(time.perf_counter() - start)
            for i in range(2):
                a, b = pair([off_exe] + args, java, i + r, work, env)
                off.append(a / b)
        names = ["first start (nothing recorded)", "second start (records)", "third start", "fourth start",
                 "fifth start", "later starts (archive used)"]
        print("  %s, Java %s, %d rounds: median wall time through the launcher, median ratio to java -cp" %
              ("3,000 classes in two jars" if program == "jars" else "the Java compiler", os.path.basename(java_home),
               rounds))
        for name, t, q in zip(names, times, ratios):
            print("    %-34s %7.0f ms %6.2fx (worst %.2fx)" % (name + ":", statistics.median(t) * 1000,
                                                              statistics.median(q), max(q)))
        print("    %-34s %7.0f ms (after the recording start ends; nobody waits)" %
              ("background dump of the archive:", statistics.median(dumps) * 1000))
        print("    %-34s         %6.2fx" % ("setting off:", statistics.median(off)))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
