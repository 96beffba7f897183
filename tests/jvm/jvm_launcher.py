#!/usr/bin/python3
"""jvm tier: the Linux launcher (bin/stub12) configured by a parameter
trailer (block text + its length as a 32-bit little-endian number) runs
real Java programs on OpenJDK: arguments, properties, class path, a jar
beside the launcher, heap options the VM applies, the failure messages,
an exit code set inside Java, and the diagnostic log.

  jvm_launcher.py --stub STUB --classes DIR --jar APP_JAR --java-home HOME --work SCRATCH
"""
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import (Scenarios, expect_equal, fresh_folder, log_records, parameter_block, scenario_main,  # noqa: E402
                         trailer, with_jvm_folder)


def block(binarypath="#internal#", classname="jvmtest.PrintAll", parameters="", cpmode="appendcp", environment=(),
          classpath=(), properties=(), noclassgc="0", disablejit="0", minheap="1024", maxheap="16384", **extended):
    """A parameter block with the other settings at a builder's defaults."""
    return parameter_block(binarypath=binarypath, classname=classname, parameters=parameters, cpmode=cpmode,
                           environment=environment, classpath=classpath, properties=properties,
                           noclassgc=noclassgc, disablejit=disablejit, minheap=minheap, maxheap=maxheap, **extended)


class Harness(Scenarios):
    def __init__(self, args):
        super().__init__()
        self.stub = os.path.abspath(args.stub)
        self.classes = os.path.abspath(args.classes)
        self.jar = os.path.abspath(args.jar)
        self.java_home = os.path.abspath(args.java_home)
        self.work = os.path.abspath(args.work)
        fresh_folder(self.work)
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("CLASSPATH", "JAVA_HOME", "CASKIT_DIAGNOSTICS", "JAVA_TOOL_OPTIONS",
                                 "_JAVA_OPTIONS", "JDK_JAVA_OPTIONS", "LD_LIBRARY_PATH")}
        self.env["JAVA_HOME"] = self.java_home

    def app(self, name, block_text, with_classes=True, with_jar=False):
        folder = fresh_folder(os.path.join(self.work, name))
        exe = os.path.join(folder, "app")
        shutil.copyfile(self.stub, exe)
        os.chmod(exe, 0o755)
        with open(exe, "ab") as f:
            f.write(trailer(block_text.encode("latin-1")))
        if with_classes:
            shutil.copytree(self.classes, os.path.join(folder, "classes"))
        if with_jar:
            shutil.copyfile(self.jar, os.path.join(folder, "app.jar"))
        return exe

    def run(self, exe, args=(), cwd=None, env=None, unset=()):
        run_env = dict(self.env)
        run_env.update(env or {})
        for name in unset:
            run_env.pop(name, None)
        cwd = cwd or self.work
        p = subprocess.run([exe] + list(args), cwd=cwd, env=run_env, capture_output=True, timeout=120)
        return p.returncode, p.stdout.decode("latin-1"), p.stderr.decode("latin-1")


def output_values(stdout):
    values = {}
    for line in stdout.splitlines():
        if "=" in line:
            key, value = line.split("=", 1)
            values[key] = value
    return values


def arguments_properties_class_path(h):
    """Command-line arguments first, then the configured ones (expanded);
    properties with %NAME%; class path with CLASSPATH merged; environment
    records reach the VM; the current folder is the launcher's."""
    exe = h.app("print_all", block(
        parameters='"cfg one" %CASKIT_JVM_VAR%/x', classpath=["classes"], environment=[("APP_MODE", "fast")],
        properties=["app.plain=1", "app.expanded=<%CASKIT_JVM_VAR%>", "app.blank=a b"]))
    start = os.path.join(h.work, "elsewhere")
    os.makedirs(start, exist_ok=True)
    rc, out, err = h.run(exe, ["first", "two words", ""], cwd=start,
                         env={"CASKIT_JVM_VAR": "value", "CLASSPATH": "/extra/dir:classes"})
    expect_equal((rc, err), (0, ""), "exit code and standard error")
    v = output_values(out)
    expect_equal([v.get("arg[%d]" % i) for i in range(int(v["argc"]))],
                 ["first", "two words", "", "cfg one", "value/x"], "arguments")
    expect_equal((v["property app.plain"], v["property app.expanded"], v["property app.blank"]),
                 ("1", "<value>", "a b"), "properties")
    expect_equal(v["java.class.path"], ".:classes:.:/extra/dir:", "class path")
    expect_equal(v["user.dir"], os.path.dirname(exe), "current folder")
    expect_equal(v["APP_MODE"], "fast", "environment record")


def class_path_modes(h):
    for mode, expected in [("prependcp", ".:/extra/dir:classes:.:"), ("nocp", ".:classes:.:")]:
        exe = h.app("modes_" + mode, block(classpath=["classes"], cpmode=mode))
        rc, out, err = h.run(exe, env={"CLASSPATH": "/extra/dir:classes"})
        expect_equal((rc, err), (0, ""), mode + ": exit code and standard error")
        expect_equal(output_values(out)["java.class.path"], expected, mode + ": class path")


def jar_beside_launcher(h):
    exe = h.app("jar", block(classname="jvmjar.Hello", classpath=["app.jar"], parameters="b"), with_classes=False,
                with_jar=True)
    rc, out, err = h.run(exe, ["a"], cwd="/")
    expect_equal((rc, out, err), (0, "hello from the jar, args=a,b\n", ""), "run from /")


def heap_options_applied(h):
    sizes = {}
    for maxheap in ("65536", "262144"):
        exe = h.app("heap_" + maxheap, block(classpath=["classes"], minheap="8192", maxheap=maxheap))
        rc, out, err = h.run(exe)
        expect_equal((rc, err), (0, ""), "exit code and standard error")
        sizes[maxheap] = int(output_values(out)["maxMemory"])
    for maxheap, reported in sizes.items():
        limit = int(maxheap) * 1024
        if not (limit * 0.75 <= reported <= limit):
            raise AssertionError("maxMemory %d for -Xmx%sk" % (reported, maxheap))


def missing_class(h):
    exe = h.app("missing_class", block(classname="no.such.Main", classpath=["classes"]))
    rc, out, err = h.run(exe)
    expect_equal((rc, out, err), (1, "", "Error: Can't find class no/such/Main\n"), "message")


def class_without_main(h):
    exe = h.app("no_main", block(classname="jvmtest.NoMain", classpath=["classes"]))
    rc, out, err = h.run(exe)
    expect_equal((rc, out, err), (1, "", ": Can't find main!\n"), "message")


def exit_inside_java(h):
    exe = h.app("exit3", block(classname="jvmtest.ExitThree", classpath=["classes"]))
    rc, out, _ = h.run(exe)
    expect_equal((rc, out), (3, "exiting\n"), "exit code from System.exit")


def exception_in_main(h):
    """As `java` does: the stack trace on standard error, exit code 1, and
    the diagnostic log says so."""
    exe = h.app("throws", block(classname="jvmtest.Throws", classpath=["classes"]))
    rc, out, err = h.run(exe, env={"CASKIT_DIAGNOSTICS": "1"})
    expect_equal((rc, out), (1, "throwing\n"), "exit code after an exception in main")
    expect_equal(err.lstrip("\a").splitlines()[:2], ['Exception in thread "main" java.lang.IllegalStateException: from main',
                                       "\tat jvmtest.Throws.main(Throws.java:7)"], "stack trace")
    with open(os.path.join(os.path.dirname(exe), "Log.txt"), "rb") as f:
        expect_equal(f.read().endswith(log_records(["CallStaticVoidMethod End\n", "main ended with an exception"])),
                     True, "Log.txt")


def exact_arguments(h):
    """Non-ASCII arguments (from the command line and from the block, which
    the Linux launcher holds in UTF-8) and a double quote inside one reach
    main exactly: the output is the same as java -cp prints for them."""
    args = ["\u00e9", "\u65e5\u672c", "emoji\U0001F600", 'q"r', "", "a b"]
    utf8 = {"LC_ALL": "C.UTF-8"}
    block_text = block(parameters="\u00e9t\u00e9 \u65e5 \U0001F600", classpath=["classes"])
    folder = fresh_folder(os.path.join(h.work, "exact"))
    exe = os.path.join(folder, "app")
    shutil.copyfile(h.stub, exe)
    os.chmod(exe, 0o755)
    with open(exe, "ab") as f:
        f.write(trailer(block_text.encode("utf-8")))
    shutil.copytree(h.classes, os.path.join(folder, "classes"))
    run_env = dict(h.env, **utf8)
    launched = subprocess.run([exe] + args, env=run_env, capture_output=True, timeout=120)
    direct = subprocess.run([os.path.join(h.java_home, "bin", "java"), "-cp", h.classes, "jvmtest.PrintAll"] + args +
                            ["\u00e9t\u00e9", "\u65e5", "\U0001F600"], env=run_env, capture_output=True, timeout=120)
    arg_lines = [l for l in launched.stdout.splitlines() if l.startswith(b"arg")]
    expect_equal((launched.returncode, arg_lines), (0, [l for l in direct.stdout.splitlines() if l.startswith(b"arg")]),
                 "arguments as java -cp prints them")
    expect_equal(arg_lines[2], "arg[1]=\u65e5\u672c".encode("utf-8"), "not garbled by both")


def configured_library_path(h):
    exe = h.app("configured", block(binarypath=os.path.join(h.java_home, "lib", "server", "libjvm.so"),
                                    classpath=["classes"]))
    rc, out, err = h.run(exe, ["x"], unset=["JAVA_HOME"])
    expect_equal((rc, err), (0, ""), "exit code and standard error")
    expect_equal(output_values(out)["arg[0]"], "x", "argument")


def no_runtime(h):
    # Nothing for the runtime search to find: no JAVA_HOME, no java on
    # PATH, an empty /usr/lib/jvm.
    empty = fresh_folder(os.path.join(h.work, "empty"))
    real_view = fresh_folder(os.path.join(h.work, "real-jvm"))
    isolated = {"PATH": empty}

    def run_isolated(exe):
        cmd = with_jvm_folder([exe], empty, real_view)
        if cmd is None:
            raise AssertionError("no private mount namespace on this system (unshare)")
        env = {k: v for k, v in h.env.items() if k != "JAVA_HOME"}
        env.update(isolated)
        p = subprocess.run(cmd, cwd=h.work, env=env, capture_output=True, timeout=120)
        return p.returncode, p.stdout.decode("latin-1"), p.stderr.decode("latin-1")

    exe = h.app("no_runtime", block(classpath=["classes"]))
    rc, out, err = run_isolated(exe)
    expect_equal((rc, out), (1, ""), "exit code and output")
    expect_equal(err, "Can't locate libjvm.so: JAVA_HOME does not name a Java runtime.\n"
                      "Set JAVA_HOME to the folder of a Java runtime.\n\n"
                      "This application will now try the library search path.\n"
                      "Error: Can't locate libjvm.so\n", "messages")
    exe = h.app("bad_path", block(binarypath="/no/such/libjvm.so", classpath=["classes"]))
    rc, out, err = run_isolated(exe)
    expect_equal((rc, err.splitlines()[-1]), (1, "Error: Can't locate libjvm.so"),
                 "configured path that does not load")
    # With JAVA_HOME the runtime found there is the fallback.
    rc, out, err = h.run(exe)
    expect_equal((rc, err, output_values(out)["java.class.path"]), (0, "", ".:classes:"),
                 "fallback to JAVA_HOME")


def create_failure(h):
    # An option the VM rejects while parsing: JNI_CreateJavaVM returns an error.
    exe = h.app("create_fail", block(classpath=["classes"], maxheap="-12"))
    rc, out, err = h.run(exe)
    expect_equal((rc, out, err.splitlines()[-1:]), (1, "", [": Error in CreateJavaVM"]), "message")


def many_properties(h):
    properties = ["app.p%d=%d" % (i, i) for i in range(300)] + ["app.plain=last"]
    exe = h.app("many", block(classpath=["classes"], properties=properties, disablejit="1", noclassgc="1"))
    rc, out, err = h.run(exe)
    expect_equal((rc, err), (0, ""), "exit code and standard error")
    expect_equal(output_values(out)["property app.plain"], "last", "property 301 reaches the VM")


def diagnostics(h):
    exe = h.app("diag", block(classpath=["classes"], properties=["app.plain=1"]))
    start = os.path.join(h.work, "diag_start")
    os.makedirs(start, exist_ok=True)
    rc, out, err = h.run(exe, ["a", "b c"], cwd=start, env={"CASKIT_DIAGNOSTICS": "1"})
    expect_equal(rc, 0, "exit code")
    with open(os.path.join(start, "Log.txt"), "rb") as f:
        expect_equal(f.read(), log_records(['#Command Line Args:a "b c"']), "start folder Log.txt")
    options = ["-Djava.class.path=.:classes:", "-Xms1024k", "-Xmx16384k", "-Dapp.plain=1",
               "-Dcaskit.executable=" + exe, "-Dcaskit.executable.dir=" + os.path.dirname(exe)]
    # The runtime search names the runtime it took, then the VM start's lines.
    expected = ["Runtime %s/lib/server/libjvm.so: taken (JAVA_HOME)" % h.java_home,
                "\n#Dump of JVM Parameters", "   Options:6"] + \
        ["      Option[%d] = %s" % (j, o) for j, o in enumerate(options)] + \
        ["#END Dump of JVM Parameters", "fCreateJavaVMPtr ok\n", "ClassName = jvmtest/PrintAll", "FindClass ok\n",
         "GetStaticMethodID ok\n", "CallStaticVoidMethod Start\n", "CallStaticVoidMethod End\n"]
    with open(os.path.join(os.path.dirname(exe), "Log.txt"), "rb") as f:
        expect_equal(f.read(), log_records(expected), "launcher folder Log.txt")


def unconfigured_launcher(h):
    """The launcher as built ends with an empty parameter trailer; run as it
    is, every setting keeps its default: no class is named, and the VM
    found through JAVA_HOME reports it, with exit code 1."""
    with open(h.stub, "rb") as f:
        expect_equal(f.read()[-4:], b"\0\0\0\0", "empty trailer at the end of the file")
    folder = os.path.join(h.work, "unconfigured")
    os.makedirs(folder, exist_ok=True)
    exe = os.path.join(folder, "app")
    shutil.copyfile(h.stub, exe)
    os.chmod(exe, 0o755)
    rc, out, err = h.run(exe)
    expect_equal((rc, out, err), (1, "", "Error: Can't find class \n"), "exit code and message")


def no_log_without_diagnostics(h):
    exe = h.app("nolog", block(classpath=["classes"]))
    h.run(exe)
    expect_equal(os.path.exists(os.path.join(os.path.dirname(exe), "Log.txt")), False, "no Log.txt")


SCENARIOS = [
    ("arguments, properties, class path", arguments_properties_class_path),
    ("class path modes", class_path_modes),
    ("jar beside the launcher, started elsewhere", jar_beside_launcher),
    ("heap options applied", heap_options_applied),
    ("missing class", missing_class),
    ("class without main", class_without_main),
    ("System.exit(3)", exit_inside_java),
    ("exact arguments", exact_arguments),
    ("exception in main", exception_in_main),
    ("configured libjvm.so", configured_library_path),
    ("no runtime", no_runtime),
    ("VM creation failure", create_failure),
    ("more than 200 options", many_properties),
    ("diagnostics", diagnostics),
    ("no Log.txt without diagnostics", no_log_without_diagnostics),
    ("unconfigured launcher", unconfigured_launcher),
]


def main():
    return scenario_main(Harness, SCENARIOS, ("--stub", "--classes", "--jar", "--java-home", "--work"))

if __name__ == "__main__":
    sys.exit(main())
