#!/usr/bin/python3
"""Benchmark (not a test) of the Linux launcher's desktop behaviours on one
runtime, medians of RUNS (default 15):

- one instance: a later start of a running program, from the moment just
  before it is started to its exit (after the hand-over), and to the
  moment the first instance's handler runs (the handler writes the
  wall-clock time, Instant.now() in microseconds, on its own thread);
- restart on an exit code: from the moment the program calls
  System.exit(42) (it writes the wall-clock time just before) to the start
  of the new launcher process (the first code it runs: a constructor in an
  LD_PRELOAD library writes the time), and to the restarted program's main.
  A chain restarts at most 5 times, so the runs are made in chains of six.
- splash screen (under an Xvfb of its own): from the moment just before
  the launcher is started to the first time the screen's centre shows the
  image (one pixel read with XGetImage, polled), and to the program's main.

Prints the machine's load average before and after.

  bench_desktop.py STUB JAVA_HOME [RUNS]
"""
import ctypes
import os
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "support"))
from x_screen import png, x_server  # noqa: E402

HANDED = r"""package bench;
import java.io.FileOutputStream;
import java.time.Instant;
import java.time.temporal.ChronoUnit;
public final class Handed {
    private static String record;
    public static void handOver(String folder, String[] args) throws Exception {
        long now = ChronoUnit.MICROS.between(Instant.EPOCH, Instant.now());
        try (FileOutputStream out = new FileOutputStream(record, true)) {
            out.write((now + " " + args[0] + "\n").getBytes());
        }
    }
    public static void main(String[] args) throws Exception {
        record = args[0];
        System.out.println("ready");
        System.out.flush();
        Thread.sleep(600_000);
    }
}
"""

RESTARTING = r"""package bench;
import java.io.FileOutputStream;
import java.nio.file.Files;
import java.nio.file.Paths;
import java.time.Instant;
import java.time.temporal.ChronoUnit;
public final class Restarting {
    static void write(String record, String line) throws Exception {
        try (FileOutputStream out = new FileOutputStream(record, true)) {
            out.write((line + "\n").getBytes());
        }
    }
    static long now() { return ChronoUnit.MICROS.between(Instant.EPOCH, Instant.now()); }
    public static void main(String[] args) throws Exception {
        write(args[0], "main " + now());
        if (Files.readAllLines(Paths.get(args[0])).size() < 2 * Integer.parseInt(args[1]) - 1) {
            write(args[0], "exit " + now());
            System.exit(42);
        }
    }
}
"""

# Writes "PID MICROSECONDS" (wall clock) to $BENCH_STARTS as the process starts.
STARTED = r"""
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>
__attribute__((constructor)) static void started(void) {
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    const char* path = getenv("BENCH_STARTS");
    FILE* f = path ? fopen(path, "a") : NULL;
    if (!f) return;
    fprintf(f, "%d %lld\n", (int)getpid(), (long long)t.tv_sec * 1000000 + t.tv_nsec / 1000);
    fclose(f);
}
"""


def configure(stub, path, java_home, classes, main, extended, splash=b""):
    lines = ["binarypath", os.path.join(java_home, "lib", "server", "libjvm.so"), "classname", main,
             "parameters", "", "appendcp", "environment", "0", "classpath", "1", classes,
             "properties", "0"] + extended
    if splash:
        lines += ["splashimage", str(os.path.getsize(stub)), str(len(splash))]
    block = "".join(l + "\n" for l in lines).encode()
    shutil.copyfile(stub, path)
    os.chmod(path, 0o755)
    with open(path, "ab") as f:
        f.write(splash + block + struct.pack("<I", len(block)))


def micros():
    return time.time_ns() // 1000


def figure(name, values, goal):
    values = sorted(values)
    print("  %-58s median %7.1f ms (min %.1f, max %.1f%s)" % (
        name, statistics.median(values) / 1000, values[0] / 1000, values[-1] / 1000, "; goal " + goal if goal else ""))


def one_instance(stub, java_home, work, env, runs):
    exe = os.path.join(work, "handed")
    configure(stub, exe, java_home, os.path.join(work, "classes"), "bench.Handed",
              ["singleinstance", "1", "instancehandler", "bench.Handed.handOver"])
    record = os.path.join(work, "handed.txt")
    later_folder = tempfile.mkdtemp(dir=work)
    first = subprocess.Popen([exe, record], cwd=work, env=env, stdout=subprocess.PIPE)
    try:
        if first.stdout.readline() != b"ready\n":
            sys.exit("the first instance did not start")
        to_exit, began = [], []
        for i in range(runs):
            began.append(micros())
            p = subprocess.run([exe, str(i)], cwd=later_folder, env=env, capture_output=True)
            to_exit.append(micros() - began[-1])
            if p.returncode != 0:
                sys.exit("a later start failed: %d %s" % (p.returncode, p.stderr.decode(errors="replace")))
        time.sleep(0.5)
        handled = {}
        for line in open(record).read().splitlines():
            at, index = line.split()
            handled[int(index)] = int(at)
        if len(handled) != runs:
            sys.exit("%d of %d hand-overs reached the handler" % (len(handled), runs))
    finally:
        first.kill()
        first.wait()
    figure("one instance: a later start to its exit", to_exit, "<= 20 ms")
    figure("one instance: a later start to the first's handler", [handled[i] - began[i] for i in range(runs)],
           "<= 100 ms")


def restart(stub, java_home, work, env, runs, preload):
    exe = os.path.join(work, "restarting")
    configure(stub, exe, java_home, os.path.join(work, "classes"), "bench.Restarting", ["restartexitcode", "42"])
    to_process, to_main = [], []
    chain = 0
    while len(to_process) < runs:
        chain += 1
        record, starts = os.path.join(work, "runs%d.txt" % chain), os.path.join(work, "starts%d.txt" % chain)
        p = subprocess.run([exe, record, "6"], cwd=work, env=dict(env, LD_PRELOAD=preload, BENCH_STARTS=starts),
                           capture_output=True)
        if p.returncode != 0:
            sys.exit("the restart chain failed: %d %s" % (p.returncode, p.stderr.decode(errors="replace")))
        lines = [l.split() for l in open(record).read().splitlines()]
        mains = [int(at) for kind, at in lines if kind == "main"]
        exits = [int(at) for kind, at in lines if kind == "exit"]
        started = [int(l.split()[1]) for l in open(starts).read().splitlines()]
        if not (len(mains) == len(started) == 6 and len(exits) == 5):
            sys.exit("a chain of six runs expected: %r %r" % (lines, started))
        for k, exited in enumerate(exits):
            to_process.append(started[k + 1] - exited)
            to_main.append(mains[k + 1] - exited)
    figure("restart: System.exit(42) to the new launcher process", to_process[:runs], "<= 150 ms")
    figure("restart: System.exit(42) to the restarted program's main", to_main[:runs], "")


SHOWN = r"""package bench;
import java.io.FileOutputStream;
import java.time.Instant;
import java.time.temporal.ChronoUnit;
public final class Shown {
    public static void main(String[] args) throws Exception {
        long now = ChronoUnit.MICROS.between(Instant.EPOCH, Instant.now());
        try (FileOutputStream out = new FileOutputStream(args[0])) {
            out.write(Long.toString(now).getBytes());
        }
    }
}
"""


def splash(stub, java_home, work, env, runs):
    server, name = x_server()
    try:
        x = ctypes.CDLL("libX11.so.6")
        x.XOpenDisplay.restype, x.XOpenDisplay.argtypes = ctypes.c_void_p, [ctypes.c_char_p]
        x.XDefaultRootWindow.restype, x.XDefaultRootWindow.argtypes = ctypes.c_ulong, [ctypes.c_void_p]
        x.XGetImage.restype = ctypes.c_void_p
        x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x.XGetPixel.restype, x.XGetPixel.argtypes = ctypes.c_ulong, [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
        x.XDestroyImage.argtypes = [ctypes.c_void_p]
        display = x.XOpenDisplay(name.encode())
        if not display:
            sys.exit("no Xvfb display")
        root = x.XDefaultRootWindow(display)

        def centre():
            image = x.XGetImage(display, root, 320, 240, 1, 1, 0xFFFFFFFF, 2)  # ZPixmap
            pixel = x.XGetPixel(image, 0, 0)
            x.XDestroyImage(image)
            return pixel & 0xFFFFFF

        exe = os.path.join(work, "shown")
        configure(stub, exe, java_home, os.path.join(work, "classes"), "bench.Shown", [], png(200, 120, (255, 0, 0)))
        record = os.path.join(work, "shown.txt")
        to_pixel, to_main = [], []
        for _ in range(runs):
            began = micros()
            p = subprocess.Popen([exe, record], cwd=work, env=dict(env, DISPLAY=name))
            seen = None
            while seen is None and p.poll() is None:
                if centre() == 0xFF0000:
                    seen = micros()
            p.wait()
            if seen is None or p.returncode != 0:
                sys.exit("the splash screen was not seen (exit code %d)" % p.returncode)
            to_pixel.append(seen - began)
            to_main.append(int(open(record).read()) - began)
            while centre() != 0:
                time.sleep(0.01)
    finally:
        server.terminate()
        server.wait()
    figure("splash: start to the image's first pixel", to_pixel, "<= 50 ms")
    figure("splash: start to the program's main", to_main, "")


def main():
    stub, java_home = os.path.abspath(sys.argv[1]), sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 15
    work = tempfile.mkdtemp(prefix="bench-desktop-")
    try:
        source = os.path.join(work, "src", "bench")
        os.makedirs(source)
        sources = (("Handed.java", HANDED), ("Restarting.java", RESTARTING), ("Shown.java", SHOWN))
        for name, text in sources:
            with open(os.path.join(source, name), "w") as f:
                f.write(text)
        subprocess.run([os.path.join(java_home, "bin", "javac"), "-d", os.path.join(work, "classes")] +
                       [os.path.join(source, name) for name, _ in sources], check=True)
        with open(os.path.join(work, "started.c"), "w") as f:
            f.write(STARTED)
        preload = os.path.join(work, "started.so")
        subprocess.run(["cc", "-O2", "-shared", "-fPIC", "-o", preload, os.path.join(work, "started.c")], check=True)
        env = {k: v for k, v in os.environ.items()
               if k not in ("CLASSPATH", "CASKIT_DIAGNOSTICS", "JAVA_TOOL_OPTIONS", "_JAVA_OPTIONS", "JDK_JAVA_OPTIONS")}
        print("%s, %d runs; load average %.2f %.2f %.2f" % ((java_home, runs) + os.getloadavg()))
        one_instance(stub, java_home, work, env, runs)
        restart(stub, java_home, work, env, runs, preload)
        splash(stub, java_home, work, env, runs)
        print("  load average after: %.2f %.2f %.2f" % os.getloadavg())
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
