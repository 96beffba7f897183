#!/usr/bin/python3
"""jvm tier: the Linux launcher (bin/stub12) configured by a parameter
trailer (block text + its length as a 32-bit little-endian number) runs
real Java programs on OpenJDK: arguments, properties, class path, a jar
beside the launcher, heap options the VM applies, the failure messages
and their causes, an exit code set inside Java, the diagnostic log (and
its place when the launcher's folder is read-only), the caller's folder
kept for a command-line program (the Java compiler), and lib/* wildcards.

  jvm_launcher.py --stub STUB --classes DIR --jar APP_JAR --java-home HOME --work SCRATCH
"""
import os
import shutil
import subprocess
import sys
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import (Scenarios, expect_equal, fresh_folder, log_records, parameter_block, scenario_main,  # noqa: E402
                         trailer, with_jvm_folder)


def block(binarypath="#internal#", classname="jvmtest.PrintAll", parameters="", cpmode="appendcp", environment=(),
          classpath=(), properties=(), noclassgc="0", disablejit="0", minheap="1024", maxheap="16384", caller=False,
          **extended):
    """A parameter block with the other settings at a builder's defaults;
    `caller` keeps the caller's folder current."""
    return parameter_block(binarypath=binarypath, classname=classname, parameters=parameters, cpmode=cpmode,
                           environment=environment, classpath=classpath, properties=properties,
                           noclassgc=noclassgc, disablejit=disablejit, minheap=minheap,
                           maxheap=maxheap, **extended) + ("workingfolder\ncaller\n" if caller else "")


def lf_records(texts):
    """The Linux launcher's Log.txt bytes for these lines (LF line ends)."""
    return log_records(texts, "\n")


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
    # Left to the runtime, the heap is sized by the machine's memory, not
    # by the 16 MB the block still carries.
    exe = h.app("heap_runtime", block(classpath=["classes"], runtimeheap="3"))
    rc, out, err = h.run(exe)
    expect_equal((rc, int(output_values(out)["maxMemory"]) > 64 << 20), (0, True), "runtime default heap")


def missing_class(h):
    """The VM's cause first (as `java` prints it), then the message."""
    exe = h.app("missing_class", block(classname="no.such.Main", classpath=["classes"]))
    rc, out, err = h.run(exe)
    lines = err.splitlines()
    expect_equal((rc, out, lines[0], lines[-1]), (1, "", 'Exception in thread "main" java.lang.NoClassDefFoundError: '
                                                  "no/such/Main", "Error: Can't find class no/such/Main"), "message")


def class_without_main(h):
    exe = h.app("no_main", block(classname="jvmtest.NoMain", classpath=["classes"]))
    rc, out, err = h.run(exe, env={"CASKIT_DIAGNOSTICS": "1"})
    lines = err.lstrip("\a").splitlines()
    cause = "java.lang.NoSuchMethodError: static Ljvmtest/NoMain;.main([Ljava/lang/String;)V"
    expect_equal((rc, out, lines[0], lines[-1]),
                 (1, "", 'Exception in thread "main" ' + cause, ": Can't find main!"), "message")
    with open(os.path.join(os.path.dirname(exe), "Log.txt"), "rb") as f:
        expect_equal(f.read().endswith(lf_records(["FindClass ok\n", "GetStaticMethodID failed: " + cause])), True,
                     "Log.txt")


def newer_class_version(h):
    """A class compiled for a newer Java: exit code 1, the message, and the
    VM's UnsupportedClassVersionError on standard error before it."""
    exe = h.app("newer_class", block(classpath=["classes"]))
    path = os.path.join(os.path.dirname(exe), "classes", "jvmtest", "PrintAll.class")
    with open(path, "r+b") as f:
        f.seek(6)
        f.write((69).to_bytes(2, "big"))  # the major version of Java 25
    rc, out, err = h.run(exe)
    lines = err.splitlines()
    expect_equal((rc, out, lines[-1]), (1, "", "Error: Can't find class jvmtest/PrintAll"), "exit code and message")
    expect_equal(lines[0].startswith('Exception in thread "main" java.lang.UnsupportedClassVersionError: '
                                     "jvmtest/PrintAll has been compiled by a more recent version of the Java Runtime "
                                     "(class file version 69.0)"), True, "the cause: " + lines[0])


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
        expect_equal(f.read().endswith(lf_records(["CallStaticVoidMethod End\n", "main ended with an exception"])),
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
    # With JAVA_HOME the runtime found there is the fallback, and standard
    # error says so.
    rc, out, err = h.run(exe)
    expect_equal((rc, err, output_values(out)["java.class.path"]),
                 (0, "the configured VM library /no/such/libjvm.so could not be loaded: cannot open shared object "
                     "file: No such file or directory; using %s/lib/server/libjvm.so\n" % h.java_home, ".:classes:"),
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
    expect_equal(os.path.exists(os.path.join(start, "Log.txt")), False, "no Log.txt in the start folder")
    options = ["-Djava.class.path=.:classes:", "-Xms1024k", "-Xmx16384k", "-Dapp.plain=1",
               "-Dcaskit.executable=" + exe, "-Dcaskit.executable.dir=" + os.path.dirname(exe)]
    # The command line, the runtime the search took, then the VM start's lines.
    expected = ['#Command Line Args:a "b c"', "Runtime %s/lib/server/libjvm.so: taken (JAVA_HOME)" % h.java_home,
                "\n#Dump of JVM Parameters", "   Options:6"] + \
        ["      Option[%d] = %s" % (j, o) for j, o in enumerate(options)] + \
        ["#END Dump of JVM Parameters", "fCreateJavaVMPtr ok\n", "ClassName = jvmtest/PrintAll", "FindClass ok\n",
         "GetStaticMethodID ok\n", "CallStaticVoidMethod Start\n", "CallStaticVoidMethod End\n"]
    with open(os.path.join(os.path.dirname(exe), "Log.txt"), "rb") as f:
        expect_equal(f.read(), lf_records(expected), "launcher folder Log.txt")


def caller_folder_compiler(h):
    """`caller`: the Java compiler as the program, started in a folder of
    sources, compiles them there (its relative names are the caller's);
    the launcher's own class path is not."""
    exe = h.app("javac", block(classname="com.sun.tools.javac.Main", caller=True), with_classes=False)
    src = fresh_folder(os.path.join(h.work, "javac_sources"))
    with open(os.path.join(src, "Hello.java"), "w") as f:
        f.write("public class Hello { public static void main(String[] a) { System.out.println(\"hi\"); } }\n")
    rc, out, err = h.run(exe, ["-d", "out", "Hello.java"], cwd=src)
    expect_equal((rc, out, err), (0, "", ""), "exit code and output of the compiler")
    expect_equal(os.path.exists(os.path.join(src, "out", "Hello.class")), True, "Hello.class in the caller's folder")


def caller_folder_class_path(h):
    """`caller`: the current folder is the caller's, while "." (first and
    last) and the relative class path resolve against the launcher's
    folder: a broken class planted where the caller's folder would have
    put it is never read."""
    exe = h.app("caller", block(classpath=["classes"], caller=True))
    app = os.path.dirname(exe)
    start = fresh_folder(os.path.join(h.work, "caller_start"))
    for planted in ("jvmtest", os.path.join("classes", "jvmtest")):
        os.makedirs(os.path.join(start, planted))
        with open(os.path.join(start, planted, "PrintAll.class"), "wb") as f:
            f.write(b"planted, not a class")
    rc, out, err = h.run(exe, cwd=start)
    expect_equal((rc, err), (0, ""), "exit code and standard error")
    v = output_values(out)
    expect_equal((v["user.dir"], v["java.class.path"]), (start, "%s/:%s/classes:%s/" % (app, app, app)),
                 "current folder and class path")
    # No entry can name the launcher's folder when its name holds ':'.
    shutil.copytree(app, app + ":x")
    rc, out, err = h.run(os.path.join(app + ":x", "app"), cwd=start)
    expect_equal((rc, out, err), (1, "", "Error: %s:x/app: ':' in this path splits the class path\n" % app),
                 "launcher in a folder named with ':'")


def caller_folder_maven(h):
    """`caller` with Maven as the program (its own boot class path and
    settings, as its mvn script gives them): it finds the pom.xml of the
    folder it was started in."""
    maven = "/usr/share/maven"
    boot = [n for n in sorted(os.listdir(os.path.join(maven, "boot"))) if n.endswith(".jar")]
    exe = h.app("mvn", block(classname="org.codehaus.plexus.classworlds.launcher.Launcher", caller=True,
                             classpath=[os.path.join(maven, "boot", "*")],
                             properties=["classworlds.conf=%s/bin/m2.conf" % maven, "maven.home=" + maven,
                                         "maven.multiModuleProjectDirectory=%PWD%"]), with_classes=False)
    project = fresh_folder(os.path.join(h.work, "maven_project"))
    with open(os.path.join(project, "pom.xml"), "w") as f:
        f.write("<project><modelVersion>4.0.0</modelVersion><groupId>t</groupId><artifactId>caller-test</artifactId>"
                "<version>1</version><packaging>pom</packaging></project>\n")
    repo = fresh_folder(os.path.join(h.work, "maven_repo"))
    rc, out, err = h.run(exe, ["-o", "-B", "-Dmaven.repo.local=" + repo, "validate"], cwd=project,
                         env={"PWD": project, "HOME": h.work})
    expect_equal((rc, "BUILD SUCCESS" in out, "caller-test" in out), (0, True, True),
                 "Maven validated the caller's project (boot jars %r):\n%s%s" % (boot, out[-2000:], err[-2000:]))


def wildcard_jars(h):
    """lib/* stands for the jars of lib (not its text file, not a jar in a
    sub-folder), in the order the folder lists them; the program's classes
    are spread over three of them."""
    sources = {"spread/Main.java": "package spread; public class Main { public static void main(String[] a) {"
                                   " System.out.println(Part1.text() + Part2.text()); } }",
               "spread/Part1.java": "package spread; class Part1 { static String text() { return \"one,\"; } }",
               "spread/Part2.java": "package spread; class Part2 { static String text() { return \"two\"; } }"}
    build = fresh_folder(os.path.join(h.work, "spread_build"))
    for name, text in sources.items():
        os.makedirs(os.path.join(build, "src", "spread"), exist_ok=True)
        with open(os.path.join(build, "src", name), "w") as f:
            f.write(text + "\n")
    subprocess.run([os.path.join(h.java_home, "bin", "javac"), "-d", os.path.join(build, "classes")] +
                   [os.path.join(build, "src", n) for n in sources], check=True, timeout=120)
    exe = h.app("wildcard", block(classname="spread.Main", classpath=["lib/*"]), with_classes=False)
    lib = os.path.join(os.path.dirname(exe), "lib")
    os.makedirs(os.path.join(lib, "sub"))
    for jar, cls in [("a.jar", "Main"), ("b.JAR", "Part1"), ("c.jar", "Part2"), ("sub/d.jar", "Part2")]:
        with zipfile.ZipFile(os.path.join(lib, jar), "w") as z:
            z.write(os.path.join(build, "classes", "spread", cls + ".class"), "spread/%s.class" % cls)
    with open(os.path.join(lib, "readme.txt"), "w") as f:
        f.write("not a jar\n")
    rc, out, err = h.run(exe, env={"CASKIT_DIAGNOSTICS": "1"})
    expect_equal((rc, out, err.lstrip("\a")), (0, "one,two\n", ""), "the program ran from three jars")
    jars = ":".join("lib/" + n for n in os.listdir(lib) if n.endswith((".jar", ".JAR")))
    with open(os.path.join(os.path.dirname(exe), "Log.txt"), "rb") as f:
        expect_equal(lf_records(["      Option[0] = -Djava.class.path=.:%s:" % jars]) in f.read(), True,
                     "the expanded class path in the dump")


def read_only_folder_log(h):
    """With the launcher's folder read-only, the whole log is in TMPDIR,
    and its first line says where it is."""
    exe = h.app("read_only", block(classpath=["classes"]))
    app = os.path.dirname(exe)
    temp = fresh_folder(os.path.join(h.work, "read_only_tmp"))
    mount, sh = shutil.which("mount"), shutil.which("sh")
    cmd = ["unshare", "--user", "--map-root-user", "--mount", sh, "-c",
           '%s --bind "$0" "$0" && %s -o remount,bind,ro "$0" && exec "$@"' % (mount, mount), app, exe]
    p = subprocess.run(cmd, cwd=app, env=dict(h.env, CASKIT_DIAGNOSTICS="1", TMPDIR=temp), capture_output=True,
                       timeout=120)
    expect_equal(p.returncode, 0, "exit code (%r)" % p.stderr[-500:])
    expect_equal(sorted(os.listdir(app)), ["app", "classes"], "nothing written beside the launcher")
    with open(os.path.join(temp, "app-Log.txt"), "rb") as f:
        lines = f.read().decode("latin-1").split("\n")
    expect_equal(lines[:3], ["   #%s/Log.txt cannot be written; this log is %s/app-Log.txt" % (app, temp),
                             "   #Command Line Args:", "   Runtime %s/lib/server/libjvm.so: taken (JAVA_HOME)" %
                             h.java_home], "the first lines")
    expect_equal(lines[-3:], ["   CallStaticVoidMethod End", "", ""], "the last line")


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
    lines = err.splitlines()
    expect_equal((rc, out, lines[0], lines[-1]), (1, "", 'Exception in thread "main" java.lang.NoClassDefFoundError: ',
                                                  "Error: Can't find class "), "exit code and message")


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
    ("class compiled for a newer Java", newer_class_version),
    ("caller's folder: the Java compiler", caller_folder_compiler),
    ("caller's folder: class path and . stay the launcher's", caller_folder_class_path),
    ("caller's folder: Maven finds the caller's pom.xml", caller_folder_maven),
    ("lib/* wildcard", wildcard_jars),
    ("read-only launcher folder: the log in TMPDIR", read_only_folder_log),
]


def main():
    return scenario_main(Harness, SCENARIOS, ("--stub", "--classes", "--jar", "--java-home", "--work"))

if __name__ == "__main__":
    sys.exit(main())
