#!/usr/bin/python3
"""Wine tier of stub12c.exe, stub12's console twin, and of the embedded
jar's class path: the twin's output reaches the files its standard streams
are redirected to and its exit code is the program's; without a runtime
its messages are single lines on standard error and no message box is
shown (Wine's relay trace of user32.MessageBoxA); it restarts on an exit
code, and a one-instance program's later starts hand over to the running
first; its splash image reaches the runtime's splash library before the
VM and is closed; a launcher whose block says it holds the program's jar puts its own
path first on the class path, in the short form where the ANSI code page
cannot name its folder.
caskit.exe, with the system's resource update under Wine, makes a console
program with a project manifest and an embedded jar that still starts,
its own path first, once osslsigncode has signed it.

  wine_console.py --build WIN64_TREE --helpers HELPER_DIR --work SCRATCH [-k NAME]
"""
import io
import os
import re
import shutil
import subprocess
import sys
import time
import zipfile

import pefile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import wine_stubs  # noqa: E402
from wine_stubs import JDK12_NOT_FOUND, JDK12_REGISTRY, WINE, parse_messages, read_lines, vm_record  # noqa: E402
from caskit_test import (expect_equal, parameter_block as block, pe_resources, run_to_files, sign_executable,  # noqa: E402
                         trailer, winpath)


def launcher(h, folder, name, block_text):
    exe = os.path.join(folder, "app.exe")
    shutil.copyfile(os.path.join(h.build, "bin", name), exe)
    with open(exe, "ab") as f:
        f.write(trailer(block_text.encode("latin-1")))
    return exe


def run_console(h, exe, env):
    """Runs the twin with its standard streams in files; returns (exit
    code, standard output, standard error lines without Wine's trace)."""
    run_env = dict(h.env)
    run_env.update(env)
    cmd = [WINE, exe]
    rc, out, err = run_to_files(cmd, h.work, env=run_env, cwd=os.path.dirname(exe))
    h.last_run = (cmd, rc, err)
    own = [l for l in err.splitlines() if not re.match(r"[0-9a-f]{4}:", l)]
    return rc, out, parse_messages(err), own


def output_and_exit_code(h):
    """The program's output arrives in the redirected files and the exit
    code is the program's: 0 when main returns, the code it ends the process
    with otherwise."""
    for failure, code in [("", 0), ("exit:7", 7)]:
        app = h.folder("console_out" + failure.replace(":", "_"))
        exe = launcher(h, app, "stub12c.exe", block(binarypath=winpath(h.standin("jvm.dll")), console="1"))
        log, env = h.log_env(CASKIT_STANDIN_PRINT="printed by the program")
        if failure:
            env["CASKIT_STANDIN_FAIL"] = failure
        rc, out, messages, err = run_console(h, exe, env)
        expect_equal((rc, out, messages), (code, "printed by the program\n", []),
                     failure + " exit code, standard output, message boxes")
        expect_equal("stand-in error output" in err, True, "standard error of the program: %r" % err)


def restart_on_exit_code(h):
    """System.exit(42) of a program that restarts on 42: the exit hook, and
    only the first process's, starts the launcher again with the same
    console and streams, five times, then it ends with 42 and says so."""
    app = h.folder("console_restart")
    exe = launcher(h, app, "stub12c.exe", block(binarypath=winpath(h.standin("jvm.dll")), restartexitcode="42"))
    log, env = h.log_env(CASKIT_STANDIN_PRINT="run", CASKIT_STANDIN_FAIL="exit:42")
    rc, out, messages, err = run_console(h, exe, env)
    expect_equal((rc, out, messages), (42, "run\n" * 6, []), "exit code, every run's output, message boxes")
    expect_equal(err[-1], "The program was not started again: it was restarted 5 times within 60 seconds already; "
                 "exit code 42", "the limit's message")
    lines = read_lines(log)
    expect_equal(([l for l in lines if l.startswith("exit hook")], len([l for l in lines if l.endswith("]=exit extraInfo")]),
                  len([l for l in lines if l.startswith("CreateJavaVM")])), (["exit hook 42"], 1, 6),
                 "the hook in the first process only, six VMs")


def handler_calls(log):
    """The instance handler's calls in a stand-in log: each its folder and
    argument count, then its arguments."""
    calls, current = [], None
    with open(log, encoding="utf-8") as f:
        for line in f.read().splitlines():
            if line.startswith("CallStaticVoidMethod "):
                current = [line.split(" ", 1)[1]] if ".take " in line else None
                calls += [current] if current else []
            elif line.startswith("  args[") and current:
                current.append(line)
    return calls


def wait_until(condition):
    """Polls `condition` for at most 30 seconds; its last value."""
    for _ in range(300):
        if condition():
            break
        time.sleep(0.1)
    return condition()


def one_instance_hand_over(h):
    """Later starts of a one-instance program, from another folder with
    non-ASCII arguments, hand over to the running first (the mutex, the
    WM_COPYDATA window) and end with 0 at once; the first's handler gets
    each folder and the exact arguments, in order. A killed first leaves
    nothing behind: the next start is the first again."""
    app = h.folder("console_instance")
    start = h.folder("console_instance_start \u03a9")
    exe = launcher(h, app, "stub12c.exe", block(binarypath=winpath(h.standin("jvm.dll")), singleinstance="1",
                                                instancehandler="app.Handler.take"))
    release = os.path.join(h.work, "release")
    runs = []

    def first(log_name):
        log, env = h.log_env(log_name, CASKIT_STANDIN_WAIT=winpath(release))
        with open(os.path.join(h.work, log_name + ".out"), "wb") as out:
            runs.append(subprocess.Popen([WINE, exe], cwd=app, env=dict(h.env, **env), stdin=subprocess.DEVNULL,
                                         stdout=out, stderr=out))
        expect_equal(wait_until(lambda: "main waits" in (read_lines(log) or []) or runs[-1].poll() is not None)
                     and runs[-1].poll(), None, "a first instance runs")
        return log

    def later(*args):
        began = time.time()
        cmd = [WINE, exe] + list(args)
        rc, _, err = run_to_files(cmd, h.work, env=h.env, cwd=start, timeout=60)
        h.last_run = (cmd, rc, err)
        expect_equal((rc, time.time() - began < 5), (0, True), "a later start hands over and ends at once")

    arguments = [["x", "zwei W\u00f6rter", "\u03a9\u20ac", ""], ["second"]]
    try:
        log = first("instance1.log")
        for args in arguments:
            later(*args)
        # A hand-over is acknowledged before the handler runs.
        wait_until(lambda: len(handler_calls(log)) == len(arguments))
        runs[0].kill()  # as a crash ends it: the program releases neither lock nor window
        runs[0].wait()
        expect_equal(handler_calls(log), [
            ["app/Handler.take folder=%s argc=%d" % (winpath(start), len(a))] +
            ["  args[%d]=%s" % (i, v) for i, v in enumerate(a)] for a in arguments],
            "the handler's calls: folder and arguments, in order")
        log = first("instance2.log")
        later("after")
        expect_equal(wait_until(lambda: len(handler_calls(log)) == 1), True, "the new first took the hand-over")
        open(release, "w").close()
        expect_equal(runs[1].wait(timeout=60), 0, "the new first ends")
    finally:
        for run in runs:
            if run.poll() is None:
                run.kill()
                run.wait()


GIF = bytes.fromhex("474946383961010001008000000000000000002c00000000010001000002024401003b")


def splash_runtime(h, name):
    """A runtime folder of the stand-ins: bin\\server\\jvm.dll and the splash
    library one folder above it, where a runtime keeps it."""
    server = os.path.join(h.folder(name), "bin", "server")
    os.makedirs(server)
    shutil.copyfile(h.standin("jvm.dll"), os.path.join(server, "jvm.dll"))
    shutil.copyfile(h.standin("splashscreen.dll", "splash"), os.path.join(server, "..", "splashscreen.dll"))
    return os.path.join(server, "jvm.dll")


def splash_calls(log):
    """The splash library's calls in a stand-in log, and the log's other lines."""
    lines = read_lines(log) or []
    return [l for l in lines if l.startswith("Splash")], [l for l in lines if not l.startswith("Splash")]


def splash_screen(h):
    """The image in the launcher's own file (after the stub) goes to the
    runtime's splash library before JNI_CreateJavaVM; the timeout closes
    it while the program runs, and a failed start closes it before its
    message; without the library the program starts, with a log line."""
    jvm = splash_runtime(h, "splash_rt")
    app = h.folder("console_splash")
    exe = os.path.join(app, "app.exe")
    shutil.copyfile(os.path.join(h.build, "bin", "stub12c.exe"), exe)
    text = block(binarypath=winpath(jvm), splashtimeout="1") + "splashimage\n%d\n%d\n" % (
        os.path.getsize(exe), len(GIF))
    with open(exe, "ab") as f:
        f.write(GIF + trailer(text.encode("latin-1")))
    release = os.path.join(h.work, "splash_release")
    log, env = h.log_env("splash.log", CASKIT_STANDIN_WAIT=winpath(release))
    run = subprocess.Popen([WINE, exe], cwd=app, env=dict(h.env, **env), stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        closed = wait_until(lambda: "SplashClose" in splash_calls(log)[0])
        open(release, "w").close()
        expect_equal((closed, run.wait(timeout=60)), (True, 0), "closed by the timeout while main waits")
    finally:
        if run.poll() is None:
            run.kill()
    lines = read_lines(log)
    expect_equal(lines[:2] + [lines.index("SplashClose") > lines.index("main waits")],
                 ["SplashInit", "SplashLoadMemory %d GIF89a" % len(GIF), True], "shown before the VM, then closed")
    log, env = h.log_env("splash_fail.log", CASKIT_STANDIN_FAIL="create")
    rc, _, _, err = run_console(h, exe, env)
    expect_equal((rc, splash_calls(log)[0], err[-1:]),
                 (1, ["SplashInit", "SplashLoadMemory %d GIF89a" % len(GIF), "SplashClose"],
                  ["Error in CreateJavaVM"]), "a failed start closes it")
    os.remove(os.path.join(os.path.dirname(jvm), "..", "splashscreen.dll"))
    log, env = h.log_env("splash_none.log")
    rc, _ = h.run(exe, env=env, f12=True)
    with open(os.path.join(app, "Log.txt"), encoding="latin-1") as f:
        logged = [l.strip() for l in f if "splash screen" in l]
    expect_equal((rc, splash_calls(log)[0], logged),
                 (0, [], ["no splash screen: " + winpath(os.path.dirname(os.path.dirname(jvm))) +
                          "\\splashscreen.dll"]), "no library: a start without a splash, logged")


def console_switch_without_effect(h):
    """Started without a console (as a service starts it), the twin opens
    none for the "console" switch."""
    app = h.folder("console_detached")
    exe = launcher(h, app, "stub12c.exe", block(binarypath=winpath(h.standin("jvm.dll")), console="1"))
    log, env = h.log_env()
    launch = os.path.join(h.work, "launch.txt")
    with open(launch, "w", newline="") as f:
        f.write('"%s"\n%s\n' % (winpath(exe), winpath(app)))
    cmd = [WINE, os.path.join(h.helpers, "vmbind_launch.exe"), "--detached", winpath(launch)]
    rc, _, err = run_to_files(cmd, h.work, env=dict(h.env, **env))
    h.last_run = (cmd, rc, err)
    _, around, calls = vm_record(read_lines(log))
    expect_equal((rc, [l for l in around if l.startswith("console=")], calls[-1]),
                 (0, ["console=no"], "FreeLibrary console=no"), "exit code and no console at any time")


def failure_on_standard_error(h):
    """No runtime: each message is one line on standard error ("caption:
    text", line breaks as blanks), no message box, exit code 1."""
    app = h.folder("console_none")
    exe = launcher(h, app, "stub12c.exe", block())
    rc, out, messages, err = run_console(h, exe, {})
    registry = JDK12_REGISTRY[1] + ": " + " ".join(l for l in JDK12_REGISTRY[0].split("\n") if l)
    expect_equal((rc, out, messages), (1, "", []), "exit code, standard output, message boxes")
    expect_equal([l for l in err if l.startswith("Can't locate") or l.startswith("Error")],
                 [registry, JDK12_NOT_FOUND[1] + ": " + JDK12_NOT_FOUND[0]], "standard error")


def embedded_jar_first(h):
    """"embeddedjar": the executable's own path before "." and the entries,
    in any class-path mode; in a folder the code page cannot name, its
    short form, which names the same file."""
    extra = "embeddedjar\n1\n"
    app = h.folder("embedded_cp")
    exe = launcher(h, app, "stub12.exe", block(binarypath=winpath(h.standin("jvm.dll")), classpath=["a.jar"],
                                               cpmode="nocp") + extra)
    log, env = h.log_env()
    rc, messages = h.run(exe, env=env)
    create, _, _ = vm_record(read_lines(log))
    expect_equal((rc, messages, create[1]), (0, [], "option[0]=-Djava.class.path=%s;.;a.jar;" % winpath(exe)),
                 "exit code, messages, class path")

    staging = h.folder("embedded_staging")
    launcher(h, staging, "stub12.exe", block(binarypath=winpath(h.standin("jvm.dll"))) + extra)
    folder = os.path.join(h.work, "\u03a9mega_jar")
    shutil.rmtree(folder, ignore_errors=True)
    os.rename(staging, folder)
    log, env = h.log_env()
    rc, _ = h.run(os.path.join(folder, "app.exe"), env=env)
    create, around, _ = vm_record(read_lines(log))
    cwd = [l for l in around if l.startswith("cwd=")][0][4:]
    expect_equal((rc, "?" in create[1], create[1].lower()),
                 (0, False, ("option[0]=-Djava.class.path=%s\\app.exe;.;" % cwd).lower()),
                 "exit code and the short form of the path first")


def native_compile_signed(h):
    work = h.folder("native_compile")
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("META-INF/MANIFEST.MF", "Manifest-Version: 1.0\r\nMain-Class: app.Native\r\n\r\n")
    jar = buffer.getvalue()
    manifest = b"<assembly xmlns='urn:schemas-microsoft-com:asm.v1' manifestVersion='1.0'/>"
    for name, data in (("app.jar", jar), ("app.manifest", manifest), ("splash.gif", GIF)):
        with open(os.path.join(work, name), "wb") as f:
            f.write(data)
    caskit = [WINE, os.path.join(h.build, "cli", "caskit.exe")]
    env = dict(h.env, WINEDEBUG="-all")
    project = winpath(os.path.join(work, "p.csk"))
    rc, _, err = run_to_files(caskit + ["new", project, "--jdk", "2.0", "--exe-name", "app.exe", "--exe-folder", ".",
                                        "--vm-library", winpath(splash_runtime(h, "native_rt")), "--console-program",
                                        "on", "--manifest", "app.manifest", "--embed-jar", "app.jar",
                                        "--splash", "splash.gif"], h.work, env=env)
    expect_equal((rc, err), (0, ""), "caskit new")
    rc, out, err = run_to_files(caskit + ["compile", project], h.work, env=env)
    expect_equal((rc, "main class app.Native" in out), (0, True), "caskit compile: %s %s" % (out, err))
    exe = os.path.join(work, "app.exe")
    pe = pefile.PE(exe)
    expect_equal((pe.OPTIONAL_HEADER.Subsystem, pe_resources(pe).get((24, 1, 0)), pe_resources(pe).get((1000, 3, 0)),
                  pe.get_overlay()[4:] == jar, pe.OPTIONAL_HEADER.CheckSum == pe.generate_checksum()),
                 (3, manifest, GIF, True, True), "subsystem, manifest, splash image, the jar last, checksum")
    pe.close()
    signed, problem = sign_executable(exe, work)
    expect_equal(problem, None, "signature")
    log, env = h.log_env()
    rc, out, messages, _ = run_console(h, signed, env)
    shown, lines = splash_calls(log)
    expect_equal(shown, ["SplashInit", "SplashLoadMemory %d GIF89a" % len(GIF)], "the splash image from the resource")
    create, _, calls = vm_record(lines)
    expect_equal((rc, messages, create[1].startswith(
                      # a console program keeps the caller's folder: "." is the program's folder
                      "option[0]=-Djava.class.path=%s;%s\\;" % (winpath(signed), winpath(work))), calls[0]),
                 (0, [], True, "FindClass app/Native"), "the signed program starts with its own path first")


SCENARIOS = [
    ("console twin: output and exit code", output_and_exit_code),
    ("console twin: the console switch opens none", console_switch_without_effect),
    ("console twin: restart on an exit code", restart_on_exit_code),
    ("console twin: one instance hands over", one_instance_hand_over),
    ("console twin: splash screen", splash_screen),
    ("console twin: failures on standard error", failure_on_standard_error),
    ("embedded jar first on the class path", embedded_jar_first),
    ("caskit.exe: console program, manifest, jar and splash, signed", native_compile_signed),
]


if __name__ == "__main__":
    sys.exit(wine_stubs.main(SCENARIOS))
