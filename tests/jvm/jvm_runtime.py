#!/usr/bin/python3
"""jvm tier of what a program asks of its runtime, on OpenJDK 17 and (where
the machine has it) the Java 25 runtime under /usr/lib/jvm: VM options from
the project, the options file and JDK_JAVA_OPTIONS, in that order; the
version range choosing among real runtimes; caskit.executable and
caskit.executable.dir; "JIT off" on a runtime that no longer honours
-Djava.compiler.

  jvm_runtime.py --stub STUB --classes DIR --jar APP_JAR --java-home HOME --work SCRATCH
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from caskit_test import expect_equal, fresh_folder, scenario_main  # noqa: E402
from jvm_launcher import Harness, block, output_values  # noqa: E402

JAVA25 = "/usr/lib/jvm/temurin-25-jdk-amd64"
ADD_OPENS = "--add-opens=java.base/java.lang=ALL-UNNAMED"


class Runtime(Harness):
    def options_file(self, exe, text):
        with open(exe + ".options", "w", encoding="utf-8") as f:
            f.write(text)

    def values(self, exe, env=None, unset=()):
        rc, out, err = self.run(exe, env=env, unset=unset)
        expect_equal((rc, err), (0, ""), "exit code and standard error")
        return output_values(out)

    def java25(self):
        if not os.path.exists(os.path.join(JAVA25, "lib", "server", "libjvm.so")):
            print("skipped: no Java 25 runtime at " + JAVA25)
            return False
        return True


def add_opens(h):
    """Reflection into java.lang needs --add-opens: without it the program
    ends with the exception, with it as a project option or only in the
    options file it runs."""
    exe = h.app("reflect_none", block(classname="jvmtest.Reflects", classpath=["classes"]))
    rc, out, err = h.run(exe)
    expect_equal((rc, out, "InaccessibleObjectException" in err), (1, "", True), "without --add-opens")
    # -server is java's own option, which the VM does not take: left out.
    exe = h.app("reflect_project", block(classname="jvmtest.Reflects", classpath=["classes"],
                                         jvmoptions=[ADD_OPENS, "-server"]))
    expect_equal(h.run(exe), (0, "opened\n", ""), "as a project option")
    exe = h.app("reflect_file", block(classname="jvmtest.Reflects", classpath=["classes"]))
    h.options_file(exe, "# opened for the reflection\n" + ADD_OPENS + "\n")
    expect_equal(h.run(exe), (0, "opened\n", ""), "only in the options file")


def heap_order(h):
    """-Xmx as a project option wins over the heap fields; the options
    file's wins over the project's; JDK_JAVA_OPTIONS comes between."""
    exe = h.app("heap_project", block(classpath=["classes"], maxheap="65536", jvmoptions=["-Xmx96m"]))
    expect_equal(int(h.values(exe)["maxMemory"]) > 80 << 20, True, "project -Xmx96m over -Xmx65536k")
    exe = h.app("heap_env", block(classpath=["classes"], maxheap="65536", jvmoptions=["-Xmx96m"]))
    rc, out, _ = h.run(exe, env={"JDK_JAVA_OPTIONS": "-Xmx160m"})
    expect_equal((rc, int(output_values(out)["maxMemory"]) > 120 << 20), (0, True), "JDK_JAVA_OPTIONS over the project")
    h.options_file(exe, "-Xmx48m\n")
    rc, out, _ = h.run(exe, env={"JDK_JAVA_OPTIONS": "-Xmx160m"})
    expect_equal((rc, int(output_values(out)["maxMemory"]) < 50 << 20), (0, True), "options file -Xmx48m over both")


def jdk_java_options(h):
    """JDK_JAVA_OPTIONS reaches the program, announced as java does, with
    an @file's options; what java refuses there is refused; an option the
    VM does not know, from any of the user's sources, ends the start."""
    exe = h.app("jdk_java_options", block(classpath=["classes"], properties=["app.plain=block"]))
    with open(os.path.join(h.work, "args.txt"), "w") as f:
        f.write("# from a file\n-Dapp.expanded='x y' -server\n")
    value = '-Dapp.plain=env -Dapp.blank="a b" @%s' % os.path.join(h.work, "args.txt")
    rc, out, err = h.run(exe, env={"JDK_JAVA_OPTIONS": value})
    v = output_values(out)
    expect_equal((rc, err, v["property app.plain"], v["property app.blank"], v["property app.expanded"]),
                 (0, "NOTE: Picked up JDK_JAVA_OPTIONS: %s\n" % value, "env", "a b", "x y"), "options and the note")
    rc, out, err = h.run(exe, env={"JDK_JAVA_OPTIONS": "-jar app.jar"})
    expect_equal((rc, out, err.splitlines()[-1]),
                 (1, "", "Error: Option -jar is not allowed in environment variable JDK_JAVA_OPTIONS"), "-jar")
    exe = h.app("unknown_option", block(classpath=["classes"], jvmoptions=["-Xnosuch"]))
    rc, out, err = h.run(exe)
    expect_equal((rc, out, "Unrecognized option: -Xnosuch" in err), (1, "", True), "an unknown project option")


def bad_options_file(h):
    exe = h.app("bad_options", block(classpath=["classes"]))
    h.options_file(exe, "-Xmx48m\nXmx48m\n")
    rc, out, err = h.run(exe)
    expect_equal((rc, out, err), (1, "", "Error: The options file %s.options, line 2: not a VM option (each line "
                                          "holds one option that begins with \"-\")\n" % exe), "message")


def executable_path(h):
    """caskit.executable names the launcher: started through a link, and
    from a folder whose name is not ASCII."""
    exe = h.app("exe_path", block(classpath=["classes"]))
    link_folder = fresh_folder(os.path.join(h.work, "links"))
    os.symlink(exe, os.path.join(link_folder, "app-link"))
    for started in (exe, os.path.join(link_folder, "app-link")):
        v = h.values(started)
        expect_equal((v["caskit.executable"], v["caskit.executable.dir"]), (exe, os.path.dirname(exe)), started)
    folder = os.path.join(h.work, "\u00e9t\u00e9 \u65e5\u672c")
    os.makedirs(folder, exist_ok=True)
    exe = h.app("exe_path", block(classpath=["classes"]))
    moved = os.path.join(folder, "app")
    os.replace(exe, moved)
    os.symlink(os.path.join(os.path.dirname(exe), "classes"), os.path.join(folder, "classes"))
    rc, out, err = h.run(moved, env={"LC_ALL": "C.UTF-8"})
    values = output_values(out.encode("latin-1").decode("utf-8"))
    expect_equal((rc, values.get("caskit.executable"), values.get("caskit.executable.dir")), (0, moved, folder),
                 "non-ASCII folder")


def version_range(h):
    """With both runtimes: a lowest version of 21 passes over Java 17 given
    as JAVA_HOME and starts on 25 (without the compiler property's warning
    though the JIT is off); a highest of 17 starts on 17; a lowest above
    both ends with exit code 1 and names each runtime with its version."""
    if not h.java25():
        return
    exe = h.app("min21", block(classpath=["classes"], disablejit="1", javamin="21"))
    rc, out, err = h.run(exe, env={"CASKIT_DIAGNOSTICS": "1"})
    expect_equal((rc, err.lstrip("\a"), output_values(out)["java.version"].split(".")[0]), (0, "", "25"),
                 "started on 25, no warning")
    with open(os.path.join(os.path.dirname(exe), "Log.txt"), "rb") as f:
        log = f.read().decode("latin-1")
    expect_equal("Runtime %s/lib/server/libjvm.so: Java 17.0" % h.java_home in log, True, "17 named in the log")
    expect_equal("JIT off: -Djava.compiler=NONE left out for Java 25" in log, True, "omission logged")
    exe = h.app("max17", block(classpath=["classes"], javamax="17"))
    expect_equal(h.values(exe, unset=["JAVA_HOME"])["java.version"].split(".")[0], "17", "highest 17")
    exe = h.app("min99", block(classpath=["classes"], javamin="99"))
    rc, out, err = h.run(exe)
    rejected = [l for l in err.splitlines() if "this program needs 99 or newer" in l]
    expect_equal((rc, out), (1, ""), "exit code")
    expect_equal(any(l.startswith(h.java_home + "/lib/server/libjvm.so: Java 17.0.") for l in rejected) and
                 any(l.startswith(JAVA25 + "/lib/server/libjvm.so: Java 25") for l in rejected), True,
                 "each runtime named with its version: %r" % err)


SCENARIOS = [
    ("--add-opens from the project and the options file", add_opens),
    ("-Xmx: project, JDK_JAVA_OPTIONS, options file", heap_order),
    ("JDK_JAVA_OPTIONS", jdk_java_options),
    ("a bad options file", bad_options_file),
    ("caskit.executable", executable_path),
    ("version range on real runtimes", version_range),
]


def main():
    return scenario_main(Runtime, SCENARIOS, ("--stub", "--classes", "--jar", "--java-home", "--work"))


if __name__ == "__main__":
    sys.exit(main())
