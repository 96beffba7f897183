#!/usr/bin/python3
"""jvm tier, desktop behaviours of the Linux launcher on each real runtime
given (Java 17 and 25 where present): the restart on an exit code with its
limit, one instance with its hand-overs, the splash screen (under Xvfb).

  jvm_desktop.py --stub STUB --classes DIR --java-homes HOME[:HOME...] --work SCRATCH
"""
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import Scenarios, expect_equal, fresh_folder, parameter_block, scenario_main, trailer  # noqa: E402
from x_screen import png, x_server  # noqa: E402


class Harness(Scenarios):
    def __init__(self, args):
        super().__init__()
        self.stub = os.path.abspath(args.stub)
        self.classes = os.path.abspath(args.classes)
        self.homes = [h for h in args.java_homes.split(":") if os.path.isdir(h)]
        self.work = fresh_folder(os.path.abspath(args.work))
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("CLASSPATH", "CASKIT_DIAGNOSTICS", "JAVA_TOOL_OPTIONS", "_JAVA_OPTIONS",
                                 "JDK_JAVA_OPTIONS", "LD_LIBRARY_PATH")}

    def app(self, name, classname, home, splash=b"", **extended):
        """The launcher with its block, and a splash image in front of the
        trailer where a builder puts it."""
        folder = fresh_folder(os.path.join(self.work, name))
        exe = os.path.join(folder, "app")
        shutil.copyfile(self.stub, exe)
        os.chmod(exe, 0o755)
        text = parameter_block(classname=classname, classpath=["classes"], **extended)
        if splash:
            text += "splashimage\n%d\n%d\n" % (os.path.getsize(exe), len(splash))
        with open(exe, "ab") as f:
            f.write(splash + trailer(text.encode("utf-8")))
        shutil.copytree(self.classes, os.path.join(folder, "classes"))
        return exe, dict(self.env, JAVA_HOME=home)

    def each_runtime(self, function):
        for home in self.homes:
            function(self, home, os.path.basename(home))


def restart_on_exit_code(h, home, name):
    """System.exit(42) twice, then a clean end: three runs with the same
    arguments, folder and environment, exit code 0; at every run: six runs
    (five restarts), exit code 42 and one line on standard error."""
    exe, env = h.app("restart-" + name, "jvmtest.Restarts", home, restartexitcode="42", workingfolder="caller")
    start = fresh_folder(os.path.join(h.work, "start-" + name))
    record = os.path.join(start, "runs.txt")
    p = subprocess.run([exe, record, "3", "zwei Wörter", "ü"], cwd=start, env=env, capture_output=True, timeout=120)
    expect_equal((p.returncode, p.stderr), (0, b""), name + ": exit code and standard error")
    expect_equal(p.stdout.decode(), "run 1\nrun 2\nrun 3\n", name + ": every run's output on one stream")
    runs = open(record, encoding="utf-8").read().splitlines()
    expect_equal([r.split("|", 1)[1] for r in runs], ["%s|null|%s|3|zwei Wörter|ü" % (start, record)] * 3,
                 name + ": folder, no restart mark, arguments")
    os.remove(record)
    began = time.time()
    p = subprocess.run([exe, record, "always"], cwd=start, env=env, capture_output=True, timeout=120)
    expect_equal(p.returncode, 42, name + ": the last exit code after the limit")
    expect_equal(p.stderr.decode(), "The program was not started again: it was restarted 5 times within 60 seconds "
                 "already; exit code 42\n", name + ": the limit's message")
    times = [int(r.split("|")[0]) for r in open(record, encoding="utf-8").read().splitlines()]
    expect_equal(len(times), 6, name + ": the first run and five restarts")
    gaps = [b - a for a, b in zip(times, times[1:])]
    print("  %s: %d runs in %.1f s; run-to-run %s ms" % (name, len(times), time.time() - began, gaps))


def one_instance(h, home, name):
    """Later starts hand their folder and arguments to the first's handler
    (a daemon thread) and end with 0; a stopped first makes the next start
    give up after 5 seconds with 1; a killed first blocks nothing."""
    exe, env = h.app("instance-" + name, "jvmtest.OneInstance", home, singleinstance="1",
                     instancehandler="jvmtest.OneInstance.handOver")
    start = fresh_folder(os.path.join(h.work, "instance-start-" + name))
    record = os.path.join(start, "handed.txt")

    def first():
        p = subprocess.Popen([exe, record], cwd=h.work, env=env, stdout=subprocess.PIPE)
        expect_equal(p.stdout.readline(), b"ready\n", name + ": the first instance runs")
        return p

    def later(*args):
        began = time.time()
        p = subprocess.run([exe] + list(args), cwd=start, env=env, capture_output=True, timeout=60)
        return p.returncode, p.stderr.decode(), (time.time() - began) * 1000

    runner = first()
    rc, err, ms = later("x", "zwei Wörter", "ü", "")
    expect_equal((rc, err), (0, ""), name + ": a later start hands over")
    print("  %s: hand-over took %.0f ms from start to exit" % (name, ms))
    runner.send_signal(19)  # SIGSTOP: the first cannot answer
    rc, err, ms = later("y")
    runner.send_signal(18)
    expect_equal((rc, err), (1, "The program is running already, but did not answer within 5 seconds.\n"),
                 name + ": no answer")
    expect_equal(later("stop")[:2], (0, ""), name + ": the last hand-over")
    expect_equal(runner.wait(timeout=30), 0, name + ": the first ends")
    lines = open(record, encoding="utf-8").read().splitlines()
    expect_equal(lines, [start + "|x|zwei Wörter|ü||true", start + "|stop|true"],
                 name + ": folder and exact arguments, in order, none from the start that gave up")
    runner = first()
    runner.kill()
    runner.wait()
    runner = first()  # the killed one's lock and socket do not count
    expect_equal(later("stop")[:2], (0, ""), name + ": after a killed first")
    expect_equal(runner.wait(timeout=30), 0, name + ": the new first ends")


def screen_pixels(display, *points):
    """The colours at `points` of the X screen `display`, from a screenshot."""
    run = subprocess.run(["import", "-display", display, "-window", "root", "-depth", "8", "ppm:-"],
                         capture_output=True, timeout=60)
    expect_equal(run.stderr.decode(errors="replace"), "", "the screenshot")
    shot = run.stdout
    magic, size, depth, pixels = shot.split(b"\n", 3)
    width = int(size.split()[0])
    return [tuple(pixels[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x, y in points]


def splash_screen(h, home, name):
    """The image is on the screen before the program has touched AWT; the
    program finds the screen and draws on it; its first window closes it,
    and the timeout's later close does no harm; without a window the
    timeout closes it."""
    if not shutil.which("Xvfb") or not shutil.which("import"):
        print("  skipped: the splash screen needs Xvfb and ImageMagick's import")
        return
    server, display = x_server()
    try:
        image = png(120, 80, (255, 0, 0))
        centre, corner = (320, 240), (262, 202)  # the 120 x 80 image is centred on the 640 x 480 screen
        # The timeout comes too, after (or before) the window: a second close.
        exe, env = h.app("splash-" + name, "jvmtest.Splash", home, splash=image, splashtimeout="2")
        env = dict(env, DISPLAY=display)
        began = time.time()
        p = subprocess.Popen([exe, "window"], env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        expect_equal(p.stdout.readline(), b"main\n", name + ": main runs")
        expect_equal(screen_pixels(display, centre), [(255, 0, 0)], name + ": the image shows before AWT is used")
        p.stdin.write(b"\n")
        p.stdin.flush()
        expect_equal(p.stdout.readline(), b"splash 120x80\n", name + ": SplashScreen.getSplashScreen() finds it")
        expect_equal(screen_pixels(display, corner, centre), [(0, 0, 255), (255, 0, 0)],
                     name + ": the program draws on it")
        p.stdin.write(b"\n")
        p.stdin.flush()
        expect_equal(p.stdout.readline(), b"after the window: closed\n", name + ": the first window closes it")
        time.sleep(max(0, began + 2.5 - time.time()))
        expect_equal(p.communicate(b"\n", timeout=60), (b"", None), name + ": the program goes on")
        expect_equal(p.returncode, 0, name + ": the program's end")
        exe, env = h.app("splash-timeout-" + name, "jvmtest.Splash", home, splash=image, splashtimeout="2")
        p = subprocess.run([exe, "wait"], env=dict(env, DISPLAY=display), input=b"\n", capture_output=True,
                           timeout=60)
        expect_equal((p.returncode, p.stdout), (0, b"main\nafter 3 s: closed\n"), name + ": the timeout closes it")
        expect_equal(screen_pixels(display, centre), [(0, 0, 0)], name + ": nothing is left on the screen")
    finally:
        server.terminate()
        server.wait()


SCENARIOS = [
    ("one instance", lambda h: h.each_runtime(one_instance)),
    ("restart on an exit code", lambda h: h.each_runtime(restart_on_exit_code)),
    ("splash screen", lambda h: h.each_runtime(splash_screen)),
]


def main():
    return scenario_main(Harness, SCENARIOS, ("--stub", "--classes", "--java-homes", "--work"))


if __name__ == "__main__":
    sys.exit(main())
