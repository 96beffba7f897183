#!/usr/bin/python3
"""Wine tier of the launcher stubs: stub11.exe and stub12.exe (win64) run
under Wine against the stand-in VM libraries, configured by a parameter
trailer or by resources stored with UpdateResourceA, with the registry
filled by `reg add`. Checks the stand-ins' records (options, JDK1_1InitArgs
fields, current folder, PATH, JNI calls), the message boxes (from Wine's
relay trace of user32.MessageBoxA), exit codes and Log.txt byte for byte.

  wine_stubs.py --build WIN64_TREE --helpers HELPER_DIR --work SCRATCH [-k NAME]
"""
import glob
import os
import re
import shutil
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import (Scenarios, expect_equal, fresh_folder, log_records, parameter_block as block,  # noqa: E402
                         run_to_files, scenario_main, trailer, winpath)

WINE = "/usr/lib/wine/wine64"
JAVASOFT = r"HKLM\SOFTWARE\JavaSoft"
KEY11_JDK = JAVASOFT + r"\Java Development Kit\1.1"
KEY11_JRE = JAVASOFT + r"\Java Runtime Environment\1.1.6"
KEY12 = JAVASOFT + r"\Java Runtime Environment\1.2"

JDK11_REGISTRY = (
    "This machine's registry has a valid entry for JDK 1.1.x\nHowever, the javai.dll does not exist where the "
    "registry says it does.\nReinstall JDK 1.1.x. or edit your registry to point to your Java binary "
    "directory.\n\nThis application will now try looking on the path environment variable.",
    "Can't locate Javai.dll")
JDK12_REGISTRY = (
    "This machine's registry has a valid entry for JDK 1.2\nHowever, the jvm.dll does not exist where the "
    "registry says it does.\nReinstall JDK 1.2. or edit your registry to point to your Java binary "
    "directory.\n\nThis application will now try looking on the path environment variable.",
    "Can't locate Jvm.dll")
JDK11_NOT_FOUND = ("Can't locate javai.dll", "Error")
JDK12_NOT_FOUND = ("Can't locate jvm.dll", "Error")
JDK11_ENTRY = ("Can't locate JVM entry points in javai.dll.Incompatible or corrupt DLL.", "Error")
JDK12_ENTRY = ("Can't locate JVM entry points in jvm.dll.Incompatible or corrupt DLL.", "Error")
CREATE_FAILED = ("Error in CreateJavaVM", "")
JDK11_NO_MAIN = ("Can't find main!  Either the classname is invalid,or the classpath is not complete.", "")
JDK12_NO_MAIN = ("Can't find main!", "")
# The stand-in's last line when the launcher releases the VM library.
RELEASED = "FreeLibrary console=no"
# What the stand-in's pending exceptions say (toString()), in the ANSI code page.
CLASS_VERSION_ERROR = (
    "java.lang.UnsupportedClassVersionError: app/Main has been compiled by a more recent version of the Java "
    "Runtime (class file version 69.0), this version of the Java Runtime only recognizes class file versions up to "
    "61.0 \u00e9")
NO_SUCH_METHOD = "java.lang.NoSuchMethodError: main"
# The JNI calls that describe a pending exception and read its text.
DESCRIBED = ["ExceptionDescribe", "GetObjectClass", "GetMethodID toString ()Ljava/lang/String;",
             "CallObjectMethod toString", "GetStringUTFChars", "ReleaseStringUTFChars"]


def wslash(folder):
    return winpath(folder) + "\\"


def unescape(text):
    """Undoes Wine's C escaping of a debug string."""
    out = bytearray()
    i = 0
    raw = text.encode("latin-1")
    while i < len(raw):
        c = raw[i]
        if c == 0x5C and i + 1 < len(raw):
            n = chr(raw[i + 1])
            simple = {"n": 10, "r": 13, "t": 9, "\\": 92, '"': 34, "a": 7, "b": 8, "f": 12, "v": 11}
            if n in simple:
                out.append(simple[n])
                i += 2
                continue
            if n == "x":
                m = re.match(rb"[0-9a-fA-F]{1,2}", raw[i + 2:])
                out.append(int(m.group(0), 16))
                i += 2 + len(m.group(0))
                continue
            if n.isdigit():
                m = re.match(rb"[0-7]{1,3}", raw[i + 1:])
                out.append(int(m.group(0), 8))
                i += 1 + len(m.group(0))
                continue
        out.append(c)
        i += 1
    return out.decode("latin-1")


# Wine cuts a long text and marks it with "..." after the closing quote.
MESSAGE = re.compile(r'Call user32\.MessageBoxA\((\w+),(?:\w+ "((?:[^"\\]|\\.)*)"(\.\.\.)?|(00000000)),'
                     r'(?:\w+ "((?:[^"\\]|\\.)*)"|(00000000)),(\w+)\)')
# Ends the text of a message that Wine's trace cut short.
CUT = "[cut]"


def parse_messages(stderr, styles=None):
    """The messages of a run's relay trace, (text, caption) each; their
    styles go to `styles` when given."""
    messages = []
    for line in stderr.splitlines():
        m = MESSAGE.search(line)
        if not m:
            continue
        owner, text, cut, _, caption, null_caption, style = m.groups()
        assert owner == "00000000", "message box with an owner: " + line
        assert int(style, 16) in (0, 4), "message box style neither MB_OK nor MB_YESNO: " + line
        if styles is not None:
            styles.append(int(style, 16))
        assert null_caption is None, "NULL caption: " + line
        messages.append((unescape(text) + (CUT if cut else ""), unescape(caption)))
    return messages


def utf16_units(text):
    """The UTF-16 units of a text as the stand-in records them."""
    data = text.encode("utf-16-le")
    return " ".join("%04X" % int.from_bytes(data[i:i + 2], "little") for i in range(0, len(data), 2))


def jni_calls(main_class, arguments):
    calls = ["FindClass " + main_class, "GetStaticMethodID %s main ([Ljava/lang/String;)V" % main_class,
             "FindClass java/lang/String", "NewObjectArray %d java/lang/String null" % len(arguments)]
    for i, a in enumerate(arguments):
        calls += ["NewString " + utf16_units(a), "SetObjectArrayElement %d %s" % (i, a), "DeleteLocalRef " + a]
    calls.append("CallStaticVoidMethod %s.main argc=%d" % (main_class, len(arguments)))
    calls += ["  args[%d]=%s" % (i, a) for i, a in enumerate(arguments)]
    return calls


class Harness(Scenarios):
    def __init__(self, args):
        super().__init__()
        self.build = os.path.abspath(args.build)
        self.helpers = os.path.abspath(args.helpers)
        self.work = os.path.abspath(args.work)
        self.last_run = None  # (command, exit code, standard error) of the last run()
        self.standins = os.path.join(self.build, "standins")
        self.env = dict(os.environ)
        self.env.pop("DISPLAY", None)
        self.env.pop("CLASSPATH", None)
        # Found by stub12's runtime search (a Unix JAVA_HOME passes through Wine).
        self.env.pop("JAVA_HOME", None)
        self.env.pop("WINEPATH", None)
        self.env["WINEDEBUG"] = "+relay"
        self.env.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml=")
        fresh_folder(self.work)
        self.reg("add", r"HKCU\Software\Wine\Debug", "/v", "RelayInclude", "/d", "user32.MessageBoxA", "/f")
        self.startup_path = self.wine_output(["cmd", "/c", "echo %PATH%"]).strip()

    # --- Wine -------------------------------------------------------------
    def wine_output(self, args):
        env = dict(self.env, WINEDEBUG="-all")
        return run_to_files([WINE] + args, self.work, env=env, cwd=self.work)[1]

    def reg(self, *args):
        env = dict(self.env, WINEDEBUG="-all")
        run_to_files([WINE, "reg"] + list(args), self.work, env=env, cwd=self.work)

    def clear_registry(self):
        self.reg("delete", JAVASOFT, "/f")

    def register(self, key, **values):
        for name, data in values.items():
            self.reg("add", key, "/v", name, "/d", data, "/f")

    def run(self, exe, args=(), cwd=None, env=None, f12=False, command_line=None, limited=False):
        """Runs a stub (through vmbind_launch when F12, an exact command
        line or the unelevated token is wanted); returns (exit code, messages)."""
        run_env = dict(self.env)
        run_env.update(env or {})
        cwd = cwd or os.path.dirname(exe)
        if f12 or limited or command_line is not None:
            if command_line is None:
                command_line = '"%s"%s' % (winpath(exe), "".join(" " + a for a in args))
            launch_file = os.path.join(self.work, "launch.txt")
            with open(launch_file, "w", encoding="utf-8", newline="") as f:
                f.write(command_line + "\n" + winpath(cwd) + "\n")
            flag = ["--f12"] if f12 else ["--limited"] if limited else []
            cmd = [WINE, os.path.join(self.helpers, "vmbind_launch.exe")] + flag + [winpath(launch_file)]
        else:
            cmd = [WINE, exe] + list(args)
        rc, _, stderr = run_to_files(cmd, self.work, env=run_env, cwd=cwd)
        self.last_run = (cmd, rc, stderr)
        return rc, parse_messages(stderr)

    def check(self, name, function):
        self.last_run = None  # a failure reports only a run of its own scenario
        super().check(name, function)

    def failure_context(self):
        if not self.last_run:
            return ""
        cmd, rc, stderr = self.last_run
        # The relay trace is left out but for the messages it shows.
        other = [l for l in stderr.splitlines() if not re.match(r"[0-9a-f]{4}:(Call|Ret) ", l)][-15:]
        return "last run: %r\n  exit code %d, messages %r, other standard error:\n%s" % (
            cmd, rc, parse_messages(stderr), "".join("    " + l + "\n" for l in other))

    # --- files ------------------------------------------------------------
    def folder(self, name):
        return fresh_folder(os.path.join(self.work, name))

    def stub(self, generation, folder, block_text=None, mode="trailer", name="app.exe"):
        exe = os.path.join(folder, name)
        shutil.copyfile(os.path.join(self.build, "bin", "stub%d.exe" % generation), exe)
        if block_text is None:
            return exe
        data = block_text.encode("latin-1")
        if mode == "trailer":
            with open(exe, "ab") as f:
                f.write(trailer(data))
        else:
            self.set_resource(exe, 1000, 1, 0, b"resbased")
            self.set_resource(exe, 1000, 2, 0, data)
        return exe

    def set_resource(self, exe, rtype, rid, lang, data):
        datafile = os.path.join(self.work, "resource.bin")
        with open(datafile, "wb") as f:
            f.write(data)
        env = dict(self.env, WINEDEBUG="-all")
        rc, _, stderr = run_to_files([WINE, os.path.join(self.helpers, "vmbind_setres.exe"), winpath(exe), str(rtype),
                                      str(rid), str(lang), winpath(datafile)], self.work, env=env, cwd=self.work)
        assert rc == 0, "vmbind_setres failed with exit code %d: %r" % (rc, stderr)

    def standin(self, name, variant=""):
        return os.path.join(self.standins, variant, name)

    def log_env(self, name="standin.log", **extra):
        path = os.path.join(self.work, name)
        if os.path.exists(path):
            os.remove(path)
        env = {"CASKIT_STANDIN_LOG": winpath(path)}
        env.update(extra)
        return path, env

    # --- checks -----------------------------------------------------------
    def prepare(self):
        self.clear_registry()


def read_lines(path):
    if not os.path.exists(path):
        return None
    with open(path, "rb") as f:
        return f.read().decode("latin-1").split("\n")[:-1]


def vm_record(lines):
    """Splits a stand-in log into (creation lines, surroundings, JNI calls)."""
    cwd_index = next(i for i, l in enumerate(lines) if l.startswith("cwd="))
    console_index = next(i for i, l in enumerate(lines) if l.startswith("console="))
    return lines[:cwd_index], lines[cwd_index:console_index + 1], lines[console_index + 1:]


def surroundings(lines, key):
    for l in lines:
        if l.startswith(key + "="):
            return l[len(key) + 1:]
    return None


# ===================================================================== stub12

def s12_trailer_configured_path(h):
    """Trailer block, configured jvm.dll, every option switch, %NAME%,
    CLASSPATH merge, argument order, current folder, PATH; %os% finds OS
    (Windows compares names without case)."""
    app = h.folder("s12_trailer")
    start = h.folder("s12_trailer_start")
    exe = h.stub(12, app, block(
        binarypath=winpath(h.standin("jvm.dll")), classname="app.pkg.Main", parameters='-v "two words" %OS%x',
        cpmode="appendcp", environment=[("APP_MODE", "fast")], classpath=[".\\lib\\app.jar", "C:\\lib\\x.jar"],
        properties=["app.os=%os%", "plain=1"], noclassgc="1", disablejit="1", minheap="2048", maxheap="65536",
        maxcstack="0", maxjavastack="0", verify="verify", noasyncgc="1"))
    log, env = h.log_env(CASKIT_STANDIN_SHOW="APP_MODE")
    env.update({"OS": "Windows_NT", "CLASSPATH": "C:\\lib\\x.jar;D:\\other.jar"})
    rc, messages = h.run(exe, ["first", "second"], cwd=start, env=env)
    expect_equal(rc, 0, "exit code")
    expect_equal(messages, [], "messages")
    create, around, calls = vm_record(read_lines(log))
    expect_equal(create, [
        "CreateJavaVM version=0x00010002 nOptions=9 ignoreUnrecognized=1",
        "option[0]=-Djava.class.path=.;.\\lib\\app.jar;C:\\lib\\x.jar;.;D:\\other.jar;",
        "option[1]=-Djava.compiler=NONE", "option[2]=-Xms2048k", "option[3]=-Xmx65536k", "option[4]=-Xnoclassgc",
        "option[5]=-Dapp.os=Windows_NT", "option[6]=-Dplain=1", "option[7]=-Dcaskit.executable=" + winpath(exe),
        "option[8]=-Dcaskit.executable.dir=" + winpath(app)], "options")
    expect_equal(surroundings(around, "cwd"), winpath(app), "current folder")
    expect_equal(surroundings(around, "PATH"), ".;" + wslash(app) + ";" + h.startup_path + ";", "PATH")
    expect_equal(surroundings(around, "APP_MODE"), "fast", "environment record")
    expect_equal(surroundings(around, "console"), "no", "console")
    expect_equal(calls, jni_calls("app/pkg/Main", ["first", "second", "-v", "two words", "Windows_NTx"]) +
                 ["DestroyJavaVM", RELEASED], "JNI calls")
    expect_equal(os.path.exists(os.path.join(app, "Log.txt")) or os.path.exists(os.path.join(start, "Log.txt")),
                 False, "Log.txt without F12")


def s12_resource_registered_runtime(h):
    """Resource block ("resbased"), registered runtime under its derived
    path bin\\classic\\jvm.dll, class library rt.jar in the class path."""
    app = h.folder("s12_res")
    home = h.folder("jre12")
    os.makedirs(os.path.join(home, "bin", "classic"))
    shutil.copyfile(h.standin("jvm.dll"), os.path.join(home, "bin", "classic", "jvm.dll"))
    h.register(KEY12, JavaHome=winpath(home))
    exe = h.stub(12, app, block(classpath=["a.jar"], cpmode="nocp"), mode="resource")
    log, env = h.log_env()
    env["CLASSPATH"] = "ignored.jar"
    rc, messages = h.run(exe, env=env)
    expect_equal((rc, messages), (0, []), "exit code and messages")
    create, around, calls = vm_record(read_lines(log))
    expect_equal(create, [
        "CreateJavaVM version=0x00010002 nOptions=5 ignoreUnrecognized=1",
        "option[0]=-Djava.class.path=.;%s\\lib\\rt.jar;a.jar;.;" % winpath(home),
        "option[1]=-Xms1024k", "option[2]=-Xmx16384k", "option[3]=-Dcaskit.executable=" + winpath(exe),
        "option[4]=-Dcaskit.executable.dir=" + winpath(app)], "options")
    expect_equal(surroundings(around, "PATH"),
                 ".;%s\\bin\\;%s;%s;" % (winpath(home), wslash(app), h.startup_path), "PATH")
    expect_equal(calls, jni_calls("app/Main", []) + ["DestroyJavaVM", RELEASED], "JNI calls")


def s12_runtime_lib_value(h):
    """"RuntimeLib" replaces the derived library path."""
    app = h.folder("s12_rtlib")
    home = h.folder("jre12_rtlib")
    h.register(KEY12, JavaHome=winpath(home) + "\\", RuntimeLib=winpath(h.standin("jvm.dll")))
    exe = h.stub(12, app, block())
    log, env = h.log_env()
    rc, messages = h.run(exe, ["x"], env=env)
    expect_equal((rc, messages), (0, []), "exit code and messages")
    create, around, _ = vm_record(read_lines(log))
    # A home ending in a backslash gives doubled backslashes.
    expect_equal(create[1], "option[0]=-Djava.class.path=.;%s\\\\lib\\rt.jar;" % winpath(home), "class path")
    expect_equal(surroundings(around, "PATH").split(";")[1], winpath(home) + "\\\\bin\\", "bin folder in PATH")


def s12_configured_path_ignores_class_library(h):
    app = h.folder("s12_cfg_reg")
    home = h.folder("jre12_cfg")
    h.register(KEY12, JavaHome=winpath(home))
    exe = h.stub(12, app, block(binarypath=winpath(h.standin("jvm.dll"))))
    log, env = h.log_env()
    rc, messages = h.run(exe, env=env)
    expect_equal((rc, messages), (0, []), "exit code and messages")
    create, _, _ = vm_record(read_lines(log))
    expect_equal(create[1], "option[0]=-Djava.class.path=.;", "class path without rt.jar")


def s12_probe_failure_then_bare_name(h):
    """A registered home that does not exist counts as nothing registered:
    the registry message, then jvm.dll found beside the executable."""
    app = h.folder("s12_probe")
    h.register(KEY12, JavaHome="C:\\no\\such\\jre", RuntimeLib=winpath(h.standin("jvm.dll")))
    shutil.copyfile(h.standin("jvm.dll"), os.path.join(app, "jvm.dll"))
    exe = h.stub(12, app, block())
    log, env = h.log_env()
    rc, messages = h.run(exe, env=env)
    expect_equal((rc, messages), (0, [JDK12_REGISTRY]), "exit code and messages")
    create, around, _ = vm_record(read_lines(log))
    expect_equal(create[1], "option[0]=-Djava.class.path=.;", "no class library")
    expect_equal(surroundings(around, "PATH"), ".;%s;%s;" % (wslash(app), h.startup_path), "PATH without bin")


def s12_registered_library_not_loading(h):
    """A usable home without bin\\classic\\jvm.dll: no message; the bare
    name is found in the home's bin folder, which the rewritten PATH names."""
    app = h.folder("s12_reg_noload")
    home = h.folder("jre12_noload")
    os.makedirs(os.path.join(home, "bin"))
    shutil.copyfile(h.standin("jvm.dll"), os.path.join(home, "bin", "jvm.dll"))
    h.register(KEY12, JavaHome=winpath(home))
    exe = h.stub(12, app, block())
    log, env = h.log_env()
    rc, messages = h.run(exe, env=env)
    expect_equal((rc, messages), (0, []), "exit code and messages")
    create, around, calls = vm_record(read_lines(log))
    expect_equal(create[1], "option[0]=-Djava.class.path=.;%s\\lib\\rt.jar;" % winpath(home), "class path")
    expect_equal(surroundings(around, "PATH"),
                 ".;%s\\bin\\;%s;%s;" % (winpath(home), wslash(app), h.startup_path), "PATH")
    expect_equal(calls[-2:], ["DestroyJavaVM", RELEASED], "VM ran and library released")


def s11_registered_library_not_loading(h):
    """A usable home without bin\\javai.dll: no message; the bare name is
    found in the executable's folder."""
    app = h.folder("s11_reg_noload")
    home = h.folder("jre116_noload")
    h.register(KEY11_JRE, JavaHome=winpath(home))
    shutil.copyfile(h.standin("javai.dll"), os.path.join(app, "javai.dll"))
    exe = h.stub(11, app, block())
    log, env = h.log_env()
    rc, messages = h.run(exe, env=env)
    expect_equal((rc, messages), (0, []), "exit code and messages")
    _, around, calls = vm_record(read_lines(log)[1:])
    expect_equal(surroundings(around, "PATH"),
                 ".;%s\\bin\\;%s;%s;" % (winpath(home), wslash(app), h.startup_path), "PATH")
    expect_equal(calls[-2:], ["DestroyJavaVM", RELEASED], "VM ran and library released")


def console_window(generation, standin):
    """"console" 1: a console exists when the VM is created and still when
    the library is released (it is freed only after the VM start)."""
    def scenario(h):
        app = h.folder("s%d_console" % generation)
        exe = h.stub(generation, app, block(binarypath=winpath(h.standin(standin)), console="1"))
        log, env = h.log_env()
        rc, messages = h.run(exe, env=env)
        expect_equal((rc, messages), (0, []), "exit code and messages")
        lines = read_lines(log)
        _, around, calls = vm_record(lines[1:] if generation == 11 else lines)
        expect_equal(surroundings(around, "console"), "yes", "console at VM creation")
        expect_equal(calls[-2:], ["DestroyJavaVM", "FreeLibrary console=yes"], "console at library release")
    return scenario


def s12_nothing_registered(h):
    app = h.folder("s12_none")
    exe = h.stub(12, app, block())
    rc, messages = h.run(exe)
    expect_equal((rc, messages), (1, [JDK12_REGISTRY, JDK12_NOT_FOUND]), "exit code and messages")


def s12_configured_path_not_loading(h):
    app = h.folder("s12_badpath")
    exe = h.stub(12, app, block(binarypath="C:\\missing\\jvm.dll"))
    rc, messages = h.run(exe)
    expect_equal((rc, messages), (1, [JDK12_REGISTRY, JDK12_NOT_FOUND]), "exit code and messages")


def s12_unconfigured(h):
    app = h.folder("s12_unconfigured")
    exe = h.stub(12, app)
    rc, messages = h.run(exe)
    expect_equal((rc, messages), (1, [JDK12_REGISTRY, JDK12_NOT_FOUND]), "exit code and messages")


def released_only(log, what):
    """The library was loaded and released, and nothing else was called."""
    expect_equal(read_lines(log), [RELEASED], what + ": stand-in record")


def s12_missing_entry_point(h):
    app = h.folder("s12_noentry")
    exe = h.stub(12, app, block(binarypath=winpath(h.standin("jvm.dll", "noentry"))))
    log, env = h.log_env()
    rc, messages = h.run(exe, env=env)
    expect_equal((rc, messages), (1, [JDK12_ENTRY]), "exit code and messages")
    released_only(log, "missing entry point")


def vm_failures(generation, standin, main_missing):
    """Each failure's message; a failed look-up describes its pending
    exception (never calling on with one pending) and shows its text as the
    message's second paragraph."""
    def scenario(h):
        for failure, message, tail in [
                ("create", CREATE_FAILED, ["CreateJavaVM failed", RELEASED]),
                ("class", ("Can't find class app/Main\n\n" + CLASS_VERSION_ERROR, "Error"),
                 ["FindClass app/Main"] + DESCRIBED + ["DestroyJavaVM", RELEASED]),
                ("main", (main_missing[0] + "\n\n" + NO_SUCH_METHOD, main_missing[1]),
                 ["FindClass app/Main", "GetStaticMethodID app/Main main ([Ljava/lang/String;)V"] + DESCRIBED +
                 ["DestroyJavaVM", RELEASED]),
                ("string", ("Can't find class java/lang/String\n\njava.lang.NoClassDefFoundError: java/lang/String",
                            "Error"),
                 ["FindClass app/Main", "GetStaticMethodID app/Main main ([Ljava/lang/String;)V",
                  "FindClass java/lang/String"] + DESCRIBED + ["DestroyJavaVM", RELEASED]),
                ("throw", None, jni_calls("app/Main", []) + ["ExceptionDescribe", "DestroyJavaVM", RELEASED])]:
            app = h.folder("s%d_fail_%s" % (generation, failure))
            exe = h.stub(generation, app, block(binarypath=winpath(h.standin(standin))))
            log, env = h.log_env(CASKIT_STANDIN_FAIL=failure)
            rc, messages = h.run(exe, env=env)
            expect_equal((rc, messages), (1, [message] if message else []), failure + ": exit code and messages")
            lines = read_lines(log)
            if failure == "create":
                expect_equal(lines[-2:], tail, failure + ": record")
            else:
                _, _, calls = vm_record(lines)
                expect_equal(calls, tail, failure + ": JNI calls")
        # A class named by nobody: the message ends with the blank.
        app = h.folder("s%d_fail_empty" % generation)
        exe = h.stub(generation, app, block(binarypath=winpath(h.standin(standin)), classname=""))
        log, env = h.log_env(CASKIT_STANDIN_FAIL="class")
        rc, messages = h.run(exe, env=env)
        expect_equal((rc, messages), (1, [("Can't find class \n\n" + CLASS_VERSION_ERROR, "Error")]),
                     "empty class name")
    return scenario


def exit_inside_java(generation, standin):
    def scenario(h):
        app = h.folder("s%d_exit" % generation)
        exe = h.stub(generation, app, block(binarypath=winpath(h.standin(standin))))
        log, env = h.log_env(CASKIT_STANDIN_FAIL="exit:3")
        rc, messages = h.run(exe, env=env)
        expect_equal((rc, messages), (3, []), "exit code of the VM")
        expect_equal(read_lines(log)[-1:], ["ExitProcess 3"], "the process ended inside main")
    return scenario


def s12_exact_command_line(h):
    """Quoting, an empty quoted token, blanks: through CreateProcessA."""
    app = h.folder("s12_cmdline")
    exe = h.stub(12, app, block(binarypath=winpath(h.standin("jvm.dll")), parameters="cfg"))
    log, env = h.log_env()
    rc, _ = h.run(exe, env=env, command_line='"%s"  a  "b c"d "" e' % winpath(exe))
    expect_equal(rc, 0, "exit code")
    _, _, calls = vm_record(read_lines(log))
    args = [l.split("=", 1)[1] for l in calls if l.startswith("  args[")]
    expect_equal(args, ["a", "b c", "d", "", "e", "cfg"], "arguments")


def s12_diagnostics(h):
    """F12 held, started from another folder: the command-line line, the
    dump and the trace lines all in the executable's folder, byte for byte."""
    app = h.folder("s12_diag")
    start = h.folder("s12_diag_start")
    exe = h.stub(12, app, block(binarypath=winpath(h.standin("jvm.dll")), properties=["p=1"]))
    _, env = h.log_env()
    rc, messages = h.run(exe, ["one", "two"], cwd=start, env=env, f12=True)
    expect_equal((rc, messages), (0, []), "exit code and messages")
    expect_equal(os.path.exists(os.path.join(start, "Log.txt")), False, "no Log.txt in the start folder")
    options = ["-Djava.class.path=.;", "-Xms1024k", "-Xmx16384k", "-Dp=1", "-Dcaskit.executable=" + winpath(exe),
               "-Dcaskit.executable.dir=" + winpath(app)]
    expected = ["#Command Line Args:one two", "\n#Dump of JVM Parameters", "   Options:6"] + \
        ["      Option[%d] = %s" % (j, o) for j, o in enumerate(options)] + \
        ["#END Dump of JVM Parameters", "fCreateJavaVMPtr ok\n", "ClassName = app/Main", "FindClass ok\n",
         "GetStaticMethodID ok\n", "CallStaticVoidMethod Start\n", "CallStaticVoidMethod End\n"]
    with open(os.path.join(app, "Log.txt"), "rb") as f:
        expect_equal(f.read(), log_records(expected), "executable folder Log.txt")


def s12_diagnostics_on_failure(h):
    app = h.folder("s12_diag_fail")
    exe = h.stub(12, app, block(binarypath=winpath(h.standin("jvm.dll"))))
    _, env = h.log_env(CASKIT_STANDIN_FAIL="class")
    rc, messages = h.run(exe, env=env, f12=True)
    expect_equal(rc, 1, "exit code")
    with open(os.path.join(app, "Log.txt"), "rb") as f:
        data = f.read()
    expect_equal(data.endswith(log_records(["fCreateJavaVMPtr ok\n", "ClassName = app/Main",
                                            "FindClass failed: " + CLASS_VERSION_ERROR])), True,
                 "trace stops before FindClass ok, with the cause")


def s12_caller_folder(h):
    """"workingfolder" caller: the stand-in sees the caller's folder as the
    current one and a class path of absolute entries ("." first and last,
    a path from the root on the executable's drive), lib\\* expanded to the
    jars of lib (FindFirstFileA), and a folder that cannot be listed
    logged."""
    app = h.folder("s12_caller")
    start = h.folder("s12_caller_start")
    lib = os.path.join(app, "lib")
    os.makedirs(os.path.join(lib, "sub"))
    for name in ["a.jar", "B.JAR", "notes.txt", os.path.join("sub", "d.jar")]:
        open(os.path.join(lib, name), "wb").close()
    exe = h.stub(12, app, block(binarypath=winpath(h.standin("jvm.dll")), classpath=[
        "lib\\*", "\\rooted\\r.jar", "C:\\abs\\x.jar", "missing\\*", "app.jar"]) + "workingfolder\ncaller\n")
    log, env = h.log_env()
    rc, messages = h.run(exe, cwd=start, env=env, f12=True)
    expect_equal((rc, messages), (0, []), "exit code and messages")
    create, around, _ = vm_record(read_lines(log))
    expect_equal(surroundings(around, "cwd"), winpath(start), "current folder")
    entries = create[1][len("option[0]=-Djava.class.path="):].split(";")
    drive = winpath(app)[:2]
    expect_equal((entries[0], sorted(entries[1:3]), entries[3:]),
                 (wslash(app), [wslash(app) + "lib\\B.JAR", wslash(app) + "lib\\a.jar"],
                  [drive + "\\rooted\\r.jar", "C:\\abs\\x.jar", wslash(app) + "app.jar", wslash(app)]),
                 "class path")
    with open(os.path.join(app, "Log.txt"), "rb") as f:
        expect_equal(log_records(["Class path %smissing\\*: the folder cannot be listed, no entries" % wslash(app)])
                     in f.read(), True, "the folder that cannot be listed is logged")


def s12_log_in_temp(h):
    """A Log.txt that cannot be written beside the executable: the whole
    log goes to TEMP (Wine sets it for its programs) as app.exe-Log.txt,
    its first line saying so."""
    app = h.folder("s12_log_temp")
    os.makedirs(os.path.join(app, "Log.txt"))
    temp = h.wine_output(["cmd", "/c", "echo %TEMP%"]).strip()
    log = os.path.join(os.environ["WINEPREFIX"], "drive_" + temp[0].lower(), *temp[3:].split("\\"), "app.exe-Log.txt")
    if os.path.exists(log):
        os.remove(log)
    exe = h.stub(12, app, block(binarypath=winpath(h.standin("jvm.dll"))))
    _, env = h.log_env()
    rc, messages = h.run(exe, ["x"], env=env, f12=True)
    expect_equal((rc, messages), (0, []), "exit code and messages")
    with open(log, "rb") as f:
        data = f.read()
    expect_equal(data.startswith(log_records([
        "#%s\\Log.txt cannot be written; this log is %s\\app.exe-Log.txt" % (winpath(app), temp),
        "#Command Line Args:x", "\n#Dump of JVM Parameters"])), True, "the first lines: %r" % data[:300])
    expect_equal(data.endswith(log_records(["CallStaticVoidMethod End\n"])), True, "the last line")


def s12_option_sources(h):
    """The options of every source reach JavaVMInitArgs in order: the fixed
    ones and the properties, caskit.executable, the project's,
    JDK_JAVA_OPTIONS (the runtime's version resource says Java 25), the
    options file's (%EXEDIR% expanded); no compiler property for Java 25.
    An options file line the code page cannot hold stops the start before
    any library is loaded, naming the file and the line."""
    app = h.folder("s12_sources")
    exe = h.stub(12, app, block(binarypath=winpath(h.standin("jvm.dll", "v25")), properties=["p=1"], disablejit="1",
                                jvmoptions=["-Xmx1g", "--add-opens=java.base/java.lang=ALL-UNNAMED"]))
    with open(os.path.join(app, "app.options"), "wb") as f:
        f.write("\ufeff# administrator's options\r\n-Xmx2g\r\n\r\n-Dlib=%EXEDIR%\\lib\r\n".encode("utf-8"))
    log, env = h.log_env(JDK_JAVA_OPTIONS='-Denv="a b"')
    rc, messages = h.run(exe, env=env)
    expect_equal((rc, messages), (0, []), "exit code and messages")
    create, _, _ = vm_record(read_lines(log))
    options = ["-Djava.class.path=.;", "-Xms1024k", "-Xmx16384k", "-Dp=1", "-Dcaskit.executable=" + winpath(exe),
               "-Dcaskit.executable.dir=" + winpath(app), "-Xmx1g", "--add-opens=java.base/java.lang=ALL-UNNAMED",
               "-Denv=a b", "-Xmx2g", "-Dlib=%s\\lib" % winpath(app)]
    expect_equal(create[1:], ["option[%d]=%s" % (i, o) for i, o in enumerate(options)], "options in order")
    expect_equal("NOTE: Picked up JDK_JAVA_OPTIONS: -Denv=\"a b\"\n" in h.last_run[2], True, "the note")
    with open(os.path.join(app, "app.options"), "wb") as f:
        f.write("-Xmx2g\n-Dname=\u65e5\n".encode("utf-8"))
    log, env = h.log_env()
    rc, messages = h.run(exe, env=env)
    expect_equal((rc, messages, read_lines(log)), (1, [(
        "The options file %s\\app.options, line 2: a character the VM cannot receive (not in the system's code "
        "page)" % winpath(app), "Error")], None), "exit code, message, no VM")


def cache_options(lines):
    """The start-up cache's options of each VM a log records."""
    starts = []
    for l in lines:
        if l.startswith("CreateJavaVM "):
            starts.append([])
        elif l.startswith("option[") and re.match(r"-X(X:|share|log:)", l.split("=", 1)[1]):
            starts[-1].append(l.split("=", 1)[1])
    return starts


def s12_startup_cache(h):
    """The start-up cache's options by the version the library's version
    resource (25.0.1) or its home's `release` file (17.0.2) names: none on
    the first start; the class list recorded on the second, whose detached
    copy of the launcher dumps the archive once the start has ended; the
    archive once a whole one is in place. None for Java 11, with the
    setting off, or for an elevated start. The cache folder is %LOCALAPPDATA%\\Caskit\\cache."""
    local = h.folder("s12_cache_local")
    home17 = h.folder("s12_cache_jdk17")
    os.makedirs(os.path.join(home17, "bin", "server"))
    shutil.copyfile(h.standin("jvm.dll"), os.path.join(home17, "bin", "server", "jvm.dll"))
    with open(os.path.join(home17, "release"), "w") as f:
        f.write('JAVA_VERSION="17.0.2"\n')
    logs = iter(range(100))

    def running(command):
        """Whether a process whose command line holds `command` runs (one that ends while it is read counts as gone)."""
        for path in glob.glob("/proc/[0-9]*/cmdline"):
            try:
                with open(path, "rb") as f:
                    if command in f.read():
                        return True
            except OSError:
                pass
        return False

    def starts(exe, dumps=False, limited=True):
        log, env = h.log_env("cache%d.log" % next(logs))
        # Wine sets LOCALAPPDATA from the prefix's profile: the program gets it from cmd. Wine's
        # processes are elevated: the cache is for the user's unelevated ones.
        line = 'cmd /c set LOCALAPPDATA=%s&& "%s"' % (winpath(local), winpath(exe))
        expect_equal(h.run("cmd", cwd=h.work, env=env, command_line=line, limited=limited), (0, []),
                     "exit code and messages")
        end = time.time() + 60
        # The dumping process: the launcher again, detached, once the start has ended.
        while dumps and (read_lines(log).count(RELEASED) < 2 or running(winpath(exe).encode())):
            expect_equal(time.time() < end, True, "the dumping process ended within 60 s")
            time.sleep(0.2)
        return cache_options(read_lines(log))

    quiet = ["-Xlog:cds*=off", "-Xlog:aot*=off"]
    for library, version in ((h.standin("jvm.dll", "v25"), 25), (os.path.join(home17, "bin", "server", "jvm.dll"), 17)):
        exe = h.stub(12, h.folder("s12_cache%d" % version), block(binarypath=winpath(library), startupcache="1"))
        expect_equal(starts(exe), [[]], "Java %d, first start" % version)
        (record, dump) = starts(exe, dumps=True)
        base = record[0].split("=", 1)[1][:-4]
        expect_equal(base.startswith(winpath(local) + "\\Caskit\\cache\\"), True, "cache folder: " + base)
        linking = ["-XX:+AOTClassLinking"] if version == 25 else []
        expect_equal((record, dump), (["-XX:DumpLoadedClassList=%s.lst" % base] + quiet[:version // 25 + 1],
                                      ["-Xshare:dump", "-XX:SharedClassListFile=%s.lst" % base,
                                       "-XX:SharedArchiveFile=%s.new" % base] + linking + quiet[:version // 25 + 1]),
                     "Java %d, the recording start and the dump" % version)
        with open(os.path.join(local, "Caskit", "cache", base.rsplit("\\", 1)[1] + ".new"), "wb") as f:
            f.write(b"\xc1\xa1\xf0\xc9 an archive")
        expect_equal(starts(exe), [["-XX:SharedArchiveFile=%s.jsa" % base, "-Xshare:auto"] + quiet[:version // 25 + 1]],
                     "Java %d, the archive in place" % version)
    for name, settings in (("old", dict(binarypath=winpath(h.standin("jvm.dll", "v11")), startupcache="1")),
                           ("off", dict(binarypath=winpath(h.standin("jvm.dll", "v25"))))):
        exe = h.stub(12, h.folder("s12_cache_" + name), block(**settings))
        expect_equal([starts(exe), starts(exe)], [[[]], [[]]], "no cache options: " + name)
    # An elevated start: no cache at all, not even a marker.
    exe = h.stub(12, h.folder("s12_cache_elevated"), block(binarypath=winpath(h.standin("jvm.dll", "v25")),
                                                            startupcache="1"))
    cache = os.path.join(local, "Caskit", "cache")
    names = set(os.listdir(cache))
    expect_equal(([starts(exe, limited=False) for _ in range(2)], set(os.listdir(cache))), ([[[]], [[]]], names),
                 "an elevated start")


# ===================================================================== stub11

JDK11_DEFAULT_FIELDS = ["checkSource=3", "vfprintf=default", "exit=default", "abort=default",
                        "enableVerboseGC=1", "verbose=1", "debugging=1", "debugPort=5005"]


def jdk11_fields(create):
    return {l.split("=", 1)[0]: l for l in create if "=" in l and not l.startswith("property[")}


def s11_trailer_defaults(h):
    app = h.folder("s11_defaults")
    exe = h.stub(11, app, block(binarypath=winpath(h.standin("javai.dll"))))
    log, env = h.log_env()
    rc, messages = h.run(exe, ["x"], env=env)
    expect_equal((rc, messages), (0, []), "exit code and messages")
    lines = read_lines(log)
    expect_equal(lines[0], "GetDefaultJavaVMInitArgs version=0x00010001", "defaults asked with version 1.1")
    create, around, calls = vm_record(lines[1:])
    expect_equal(create, [
        "CreateJavaVM version=0x00010001", "properties=0", "checkSource=3", "nativeStackSize=131072",
        "javaStackSize=409600", "minHeapSize=1048576", "maxHeapSize=16777216", "verifyMode=0",
        "classpath=.;C:\\standin\\lib\\classes.zip", "vfprintf=default", "exit=default", "abort=default",
        "enableClassGC=1", "enableVerboseGC=1", "disableAsyncGC=0", "verbose=1", "debugging=1", "debugPort=5005"],
        "JDK1_1InitArgs")
    expect_equal(surroundings(around, "cwd"), winpath(app), "current folder")
    expect_equal(surroundings(around, "PATH"), ".;%s;%s;" % (wslash(app), h.startup_path), "PATH")
    expect_equal(calls, jni_calls("app/Main", ["x"]) + ["DestroyJavaVM", RELEASED], "JNI calls")


def s11_every_switch(h):
    for verify, mode in [("noverify", 0), ("verifyremote", 1), ("verify", 2)]:
        app = h.folder("s11_switch_" + verify)
        exe = h.stub(11, app, block(
            binarypath=winpath(h.standin("javai.dll")), verify=verify, noclassgc="1", noasyncgc="1",
            disablejit="1", minheap="0", maxheap="abc", maxcstack="0", maxjavastack="2097152",
            classpath=["a.jar", "b.jar"], properties=["app.os=%OS%", "k=v w"], cpmode="prependcp",
            parameters="p1 %OS%"), mode="resource")
        log, env = h.log_env(OS="Windows_NT", CLASSPATH="sys.jar;a.jar")
        rc, messages = h.run(exe, env=env)
        expect_equal((rc, messages), (0, []), "exit code and messages")
        create, _, calls = vm_record(read_lines(log)[1:])
        expect_equal(create[1:4], ["property[0]=app.os=Windows_NT", "property[1]=k=v w", "properties=2"],
                     "properties")
        fields = jdk11_fields(create)
        expect_equal([fields[k] for k in ["nativeStackSize", "javaStackSize", "minHeapSize", "maxHeapSize",
                                          "verifyMode", "enableClassGC", "disableAsyncGC", "classpath"]],
                     ["nativeStackSize=0", "javaStackSize=-2147483648", "minHeapSize=0", "maxHeapSize=0",
                      "verifyMode=%d" % mode, "enableClassGC=0", "disableAsyncGC=1",
                      "classpath=.;sys.jar;a.jar;b.jar;.;C:\\standin\\lib\\classes.zip"], verify + ": fields")
        expect_equal([fields[k.split("=")[0]] for k in JDK11_DEFAULT_FIELDS], JDK11_DEFAULT_FIELDS,
                     "fields kept from the defaults")
        expect_equal(calls, jni_calls("app/Main", ["p1", "Windows_NT"]) + ["DestroyJavaVM", RELEASED],
                     "JNI calls")


def s11_no_default_class_path(h):
    app = h.folder("s11_nocp")
    exe = h.stub(11, app, block(binarypath=winpath(h.standin("javai.dll")), classpath=["a.jar"]))
    log, env = h.log_env(CASKIT_STANDIN_NO_CLASSPATH="1")
    rc, _ = h.run(exe, env=env)
    expect_equal(rc, 0, "exit code")
    create, _, _ = vm_record(read_lines(log)[1:])
    expect_equal(jdk11_fields(create)["classpath"], "classpath=.;a.jar;", "class path without a VM default")


def s11_registered_runtime(h):
    """The JRE 1.1.6 key, javai.dll in home\\bin, diagnostics lines."""
    app = h.folder("s11_reg")
    home = h.folder("jre116")
    os.makedirs(os.path.join(home, "bin"))
    shutil.copyfile(h.standin("javai.dll"), os.path.join(home, "bin", "javai.dll"))
    h.register(KEY11_JRE, JavaHome=winpath(home))
    exe = h.stub(11, app, block())
    log, env = h.log_env()
    rc, messages = h.run(exe, env=env, f12=True)
    expect_equal((rc, messages), (0, []), "exit code and messages")
    create, around, _ = vm_record(read_lines(log)[1:])
    expect_equal(surroundings(around, "PATH"),
                 ".;%s\\bin\\;%s;%s;" % (winpath(home), wslash(app), h.startup_path), "PATH")
    with open(os.path.join(app, "Log.txt"), "rb") as f:
        data = f.read()
    discovery = log_records(["   gJDKHome = " + winpath(home), "   gJDKBin = %s\\bin\\" % winpath(home),
                             "   gJDKRuntimeLib = %s\\bin\\javai.dll" % winpath(home),
                             "   gJDKClassLib = %s\\lib\\classes.zip;" % winpath(home)])
    expect_equal(discovery in data, True, "discovery lines in Log.txt")


def s11_jdk_key_first(h):
    """The "Java Development Kit\\1.1" key is tried first and used."""
    app = h.folder("s11_jdkkey")
    home = h.folder("jdk11")
    os.makedirs(os.path.join(home, "bin"))
    shutil.copyfile(h.standin("javai.dll"), os.path.join(home, "bin", "javai.dll"))
    h.register(KEY11_JDK, JavaHome=winpath(home))
    h.register(KEY11_JRE, JavaHome="C:\\elsewhere")
    exe = h.stub(11, app, block())
    log, env = h.log_env()
    rc, messages = h.run(exe, env=env)
    expect_equal((rc, messages), (0, []), "exit code and messages")
    _, around, _ = vm_record(read_lines(log)[1:])
    expect_equal(surroundings(around, "PATH").split(";")[1], winpath(home) + "\\bin\\", "bin folder in PATH")


def configured_path_falls_back_to_registered(generation):
    """The log (F12 held) says why the configured library was not used,
    in the system's words, and which one was."""
    def scenario(h):
        app = h.folder("s%d_fallback" % generation)
        home = h.folder("home_fallback_%d" % generation)
        if generation == 12:
            taken = winpath(h.standin("jvm.dll"))
            h.register(KEY12, JavaHome=winpath(home), RuntimeLib=taken)
        else:
            os.makedirs(os.path.join(home, "bin"))
            shutil.copyfile(h.standin("javai.dll"), os.path.join(home, "bin", "javai.dll"))
            h.register(KEY11_JRE, JavaHome=winpath(home))
            taken = winpath(home) + "\\bin\\javai.dll"
        exe = h.stub(generation, app, block(binarypath="C:\\missing\\vm.dll"))
        log, env = h.log_env()
        rc, messages = h.run(exe, env=env, f12=True)
        expect_equal((rc, messages), (0, []), "exit code and messages")
        expect_equal("DestroyJavaVM" in read_lines(log), True, "VM ran")
        with open(os.path.join(app, "Log.txt"), "rb") as f:
            note = [l for l in f.read().decode("latin-1").split("\r\n") if "configured" in l]
        pattern = r"   the configured VM library C:\\missing\\vm\.dll could not be loaded: [A-Za-z][^;]*[^.;]; using "
        expect_equal(re.fullmatch(pattern + re.escape(taken), note[0] if note else "") is not None, True,
                     "the log's note: %r" % note)
    return scenario


def s11_first_key_only(h):
    """A JDK 1.1 key without JavaHome hides a complete JRE 1.1.6 key."""
    app = h.folder("s11_firstkey")
    home = h.folder("jre116_hidden")
    os.makedirs(os.path.join(home, "bin"))
    shutil.copyfile(h.standin("javai.dll"), os.path.join(home, "bin", "javai.dll"))
    h.register(KEY11_JDK, Other="x")
    h.register(KEY11_JRE, JavaHome=winpath(home))
    exe = h.stub(11, app, block())
    rc, messages = h.run(exe)
    expect_equal((rc, messages), (1, [JDK11_REGISTRY, JDK11_NOT_FOUND]), "exit code and messages")


def s11_nothing_registered(h):
    app = h.folder("s11_none")
    exe = h.stub(11, app, block())
    rc, messages = h.run(exe)
    expect_equal((rc, messages), (1, [JDK11_REGISTRY, JDK11_NOT_FOUND]), "exit code and messages")


def s11_configured_path_not_loading(h):
    app = h.folder("s11_badpath")
    exe = h.stub(11, app, block(binarypath="C:\\missing\\javai.dll"))
    rc, messages = h.run(exe)
    expect_equal((rc, messages), (1, [JDK11_NOT_FOUND]), "no registry message, then not found")


def s11_unconfigured(h):
    app = h.folder("s11_unconfigured")
    exe = h.stub(11, app)
    rc, messages = h.run(exe)
    expect_equal((rc, messages), (1, [JDK11_NOT_FOUND]), "exit code and messages")


def s11_missing_entry_points(h):
    for variant in ["noentry", "nocreate"]:
        app = h.folder("s11_" + variant)
        exe = h.stub(11, app, block(binarypath=winpath(h.standin("javai.dll", variant))))
        log, env = h.log_env()
        rc, messages = h.run(exe, env=env)
        expect_equal((rc, messages), (1, [JDK11_ENTRY]), variant + ": exit code and messages")
        # Both entry points are asked for before the defaults are.
        released_only(log, variant)


def s11_diagnostics(h):
    """Parameter dump, discovery lines and JVM dump, byte for byte."""
    app = h.folder("s11_diag")
    start = h.folder("s11_diag_start")
    exe = h.stub(11, app, block(binarypath=winpath(h.standin("javai.dll")), classpath=["a.jar"],
                                properties=["p=1"], parameters="cfg", cpmode="nocp", verify="verifyremote"))
    _, env = h.log_env()
    rc, messages = h.run(exe, ["arg"], cwd=start, env=env, f12=True)
    expect_equal((rc, messages), (0, []), "exit code and messages")
    expect_equal(os.path.exists(os.path.join(start, "Log.txt")), False, "no Log.txt in the start folder")
    expected = [
        "#Command Line Args:arg", "\n#Dump of Parameter Object", "   Executable:" + winpath(exe), "   JRE Path:" + winpath(h.standin("javai.dll")),
        "   Java Main Class:app/Main", "   ClassPaths:1", "      Path 0:a.jar", "   Ignore System Classpath",
        "   Optional Arguments:2", "      Argument 0:arg", "      Argument 1:cfg", "   Properties:1",
        "      Property 0:p=1", "   Minimum Heap Size:1024", "   Maximum Heap Size:16384", "   Native Stack Size:128",
        "   Java Stack Size:400", "   Class Garbage Collection Enabled", "   Async Garbage Collection Enabled",
        "   JIT Compiler Enabled", "   Network Classes Verify", "#END Dump of Parameter Object",
        "   gJDKHome = ", "   gJDKBin = ", "   gJDKRuntimeLib = ", "   gJDKClassLib = ",
        "\n#Dump of JVM Parameters", "   JVM Properties", "      Property[0] = p=1", "   Native StackSize = 131072",
        "   Java StackSize = 409600", "   Min Heap Size = 1048576", "   Max Heap Size = 16777216",
        "   Verify Mode = 1", "   Enable Class GC = 1", "   Disable Async GC = 0",
        "   Classpath = .;a.jar;C:\\standin\\lib\\classes.zip", "#END Dump of JVM Parameters"]
    with open(os.path.join(app, "Log.txt"), "rb") as f:
        expect_equal(f.read(), log_records(expected), "executable folder Log.txt")


def no_log_without_key(h):
    app = h.folder("nolog")
    exe = h.stub(11, app, block(binarypath=winpath(h.standin("javai.dll"))))
    _, env = h.log_env()
    h.run(exe, env=env)
    expect_equal(os.path.exists(os.path.join(app, "Log.txt")), False, "no Log.txt")


SCENARIOS = [
    ("stub12: VM options of every source, in order", s12_option_sources),
    ("stub12: start-up cache options by the runtime's version", s12_startup_cache),
    ("stub12 trailer, configured path, all options", s12_trailer_configured_path),
    ("stub12 resource block, registered runtime", s12_resource_registered_runtime),
    ("stub12 RuntimeLib value", s12_runtime_lib_value),
    ("stub12 configured path ignores rt.jar", s12_configured_path_ignores_class_library),
    ("stub12 home failing the probe, bare name", s12_probe_failure_then_bare_name),
    ("stub12 registered library not loading, bare name", s12_registered_library_not_loading),
    ("stub12 console window", console_window(12, "jvm.dll")),
    ("stub12 nothing registered", s12_nothing_registered),
    ("stub12 configured path not loading", s12_configured_path_not_loading),
    ("stub12 unconfigured", s12_unconfigured),
    ("stub12 missing entry point", s12_missing_entry_point),
    ("stub12 VM failures", vm_failures(12, "jvm.dll", JDK12_NO_MAIN)),
    ("stub12 exit inside Java", exit_inside_java(12, "jvm.dll")),
    ("stub12 exact command line", s12_exact_command_line),
    ("stub12 diagnostics", s12_diagnostics),
    ("stub12 diagnostics on failure", s12_diagnostics_on_failure),
    ("stub12 caller's folder and class-path wildcards", s12_caller_folder),
    ("stub12 log in TEMP", s12_log_in_temp),
    ("stub11 trailer defaults", s11_trailer_defaults),
    ("stub11 every switch (resource block)", s11_every_switch),
    ("stub11 no VM default class path", s11_no_default_class_path),
    ("stub11 registered JRE 1.1.6", s11_registered_runtime),
    ("stub11 first key only", s11_first_key_only),
    ("stub11 JDK 1.1 key", s11_jdk_key_first),
    ("stub11 configured path falls back to the registered runtime", configured_path_falls_back_to_registered(11)),
    ("stub12 configured path falls back to the registered runtime", configured_path_falls_back_to_registered(12)),
    ("stub11 registered library not loading, bare name", s11_registered_library_not_loading),
    ("stub11 console window", console_window(11, "javai.dll")),
    ("stub11 nothing registered", s11_nothing_registered),
    ("stub11 configured path not loading", s11_configured_path_not_loading),
    ("stub11 unconfigured", s11_unconfigured),
    ("stub11 missing entry points", s11_missing_entry_points),
    ("stub11 VM failures", vm_failures(11, "javai.dll", JDK11_NO_MAIN)),
    ("stub11 exit inside Java", exit_inside_java(11, "javai.dll")),
    ("stub11 diagnostics", s11_diagnostics),
    ("no Log.txt without F12", no_log_without_key),
]


def main(scenarios=SCENARIOS):
    """Runs the scenarios with the driver's command-line arguments; the
    other stub drivers share it."""
    return scenario_main(Harness, scenarios, ("--build", "--helpers", "--work"), end=Harness.clear_registry)

if __name__ == "__main__":
    sys.exit(main())
