#!/usr/bin/python3
"""Benchmark (not a test): start-to-exit time of a bundle's launcher
against the launcher of jpackage's app image of the same program, with the
same modules (jdeps) and the same heap sizes, each pair in alternating
order. The bundle has the start-up cache on. Two programs: the example
(hello, java.base) and 3,000 classes in two jars (bench_startup_cache.py's).

Each round starts with an empty cache folder: the first start (nothing
recorded yet) is paired with a jpackage start; the second start records
the class list and the archive is dumped in the background; once it is
made, the later starts are paired with jpackage starts. Printed: median
wall times, the median of the paired ratios (bundle / jpackage) and the
machine's load average while it ran.

  bench_bundle_start.py CASKIT JAVA_HOME HELLO_CLASSES [ROUNDS]
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bench_startup_cache import archive_made, jars_program  # noqa: E402

LATER = 6
HEAP_KB = ("65536", "262144")


def timed(cmd, env):
    start = time.perf_counter()
    p = subprocess.run(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    took = time.perf_counter() - start
    if p.returncode != 0:
        sys.exit("%s failed: %s" % (cmd[0], p.stderr.decode(errors="replace")))
    return took


def rotated(commands, order, env):
    """The times of `commands` (lists), run one after the other starting
    with the one `order` picks, each with `env` or its own environment."""
    times = [0.0] * len(commands)
    for k in range(len(commands)):
        i = (order + k) % len(commands)
        cmd, own = commands[i]
        times[i] = timed(cmd, own or env)
    return times


def build(caskit, jdk, work, main_class, jars):
    """The bundle's launcher and jpackage's launcher of the jars in work/lib."""
    def run(*cmd):
        subprocess.run(list(cmd), check=True, stdout=subprocess.DEVNULL)
    project = os.path.join(work, "app.csk")
    run(caskit, "new", project, "--jdk", "2.0", "--exe-name", "app", "--exe-folder", ".", "--main-class",
        main_class, "--min-heap", HEAP_KB[0], "--max-heap", HEAP_KB[1], "--startup-cache", "on",
        *[a for jar in jars for a in ("--class-path", "lib/" + jar)])
    run(caskit, "bundle", project, "--target", "linux-x64", "--jlink", jdk, "--out", os.path.join(work, "dist"))
    modules = subprocess.run([os.path.join(jdk, "bin", "jdeps"), "--print-module-deps", "--ignore-missing-deps"] +
                             [os.path.join(work, "lib", jar) for jar in jars],
                             check=True, capture_output=True).stdout.decode().strip().splitlines()[-1]
    run(os.path.join(jdk, "bin", "jpackage"), "--type", "app-image", "--input", os.path.join(work, "lib"),
        "--main-jar", jars[0], "--main-class", main_class, "--name", "jp", "--dest", os.path.join(work, "jpackage"),
        "--add-modules", modules, "--java-options", "-Xms%sk" % HEAP_KB[0], "--java-options", "-Xmx%sk" % HEAP_KB[1])
    return os.path.join(work, "dist", "app", "app"), os.path.join(work, "jpackage", "jp", "bin", "jp")


def measure(name, bundled, jpackaged, rounds, work):
    """jpackage's launcher asks dpkg which package holds it on every start
    (hundreds of ms on a system with many packages): it runs as it is and
    with no dpkg on PATH, which leaves the VM's start alone."""
    env = {"PATH": "/usr/bin:/bin", "HOME": work, "LANG": "C.UTF-8"}
    no_dpkg = dict(env, PATH=os.path.join(work, "empty-path"))
    os.makedirs(no_dpkg["PATH"])
    caches = os.path.join(work, "caches")
    os.makedirs(caches)
    env["XDG_CACHE_HOME"] = tempfile.mkdtemp(dir=caches)
    commands = [([bundled], None), ([jpackaged], None), ([jpackaged], no_dpkg)]
    rotated(commands, 0, env)  # warm-up of the file cache
    first, later = [[], [], []], [[], [], []]
    load = os.getloadavg()[0]
    for r in range(rounds):
        env["XDG_CACHE_HOME"] = cache = tempfile.mkdtemp(dir=caches)
        for i, t in enumerate(rotated(commands, r, env)):
            first[i].append(t)
        timed([bundled], env)  # records the class list
        archive_made(cache)
        timed([bundled], env)  # takes the archive into place
        for k in range(LATER):
            for i, t in enumerate(rotated(commands, k + r, env)):
                later[i].append(t)
    load = (load + os.getloadavg()[0]) / 2
    print("  %s, %d rounds (load average %.1f on %d cores); bundle, jpackage's launcher, the same without dpkg:" %
          (name, rounds, load, os.cpu_count()))
    for label, (b, j, n) in (("first start", first), ("later starts (cache on)", later)):
        print("    %-24s %5.0f ms, %5.0f ms, %5.0f ms; bundle %.2fx and %.2fx (paired medians)" %
              (label + ":", statistics.median(b) * 1000, statistics.median(j) * 1000, statistics.median(n) * 1000,
               statistics.median([x / y for x, y in zip(b, j)]), statistics.median([x / y for x, y in zip(b, n)])))


def main():
    caskit, jdk, hello_classes = (os.path.abspath(a) for a in sys.argv[1:4])
    rounds = int(sys.argv[4]) if len(sys.argv) > 4 else 5
    work = tempfile.mkdtemp()
    try:
        hello = os.path.join(work, "hello")
        os.makedirs(os.path.join(hello, "lib"))
        subprocess.run([os.path.join(jdk, "bin", "jar"), "cf", os.path.join(hello, "lib", "hello.jar"), "-C",
                        hello_classes, "."], check=True)
        bundled, jpackaged = build(caskit, jdk, hello, "hello.Main", ["hello.jar"])
        measure("hello (java.base)", bundled, jpackaged, rounds, hello)
        jars = os.path.join(work, "jars")
        os.makedirs(jars)
        jars_program(jars, jdk)
        bundled, jpackaged = build(caskit, jdk, jars, "app.Main", ["a.jar", "b.jar"])
        measure("3,000 classes in two jars", bundled, jpackaged, rounds, jars)
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
