"""A Linux launcher made by caskit runs the example Java program on the
real JVM: class path, property, arguments (the command line's first, then
the configured ones) and heap size all arrive.

    jvm_test.py CASKIT EXAMPLE_SOURCE_DIR JAVA_HOME"""
import glob
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import temp_folder  # noqa: E402
from caskit_test import run_checked as run  # noqa: E402

CASKIT, SOURCES, JAVA_HOME = (os.path.abspath(a) for a in sys.argv[1:4])


def main():
    with temp_folder("caskit-jvm-") as work:
        classes = os.path.join(work, "classes")
        java_files = glob.glob(os.path.join(SOURCES, "src", "**", "*.java"), recursive=True)
        run(os.path.join(JAVA_HOME, "bin", "javac"), "-d", classes, *java_files)
        jar = os.path.join(work, "hello.jar")
        run(os.path.join(JAVA_HOME, "bin", "jar"), "cf", jar, "-C", classes, ".")

        project = os.path.join(work, "hello.csk")
        run(CASKIT, "new", project, "--jdk", "2.0", "--exe-name", "hello", "--exe-folder", work,
            "--main-class", "hello.Main", "--class-path", jar, "--arguments", "configured \"two words\"",
            "--property", "hello.greeting=Greetings from the launcher", "--min-heap", "16384",
            "--max-heap", "65536", "--class-path-mode", "ignore")
        run(CASKIT, "compile", project, "--target", "linux-x64")

        env = dict(os.environ, JAVA_HOME=JAVA_HOME)
        env.pop("CLASSPATH", None)
        out = run(os.path.join(work, "hello"), "first", env=env, timeout=120)
        print(out)
        lines = out.splitlines()
        expected = ["Hello from Caskit!", "arguments: first | configured | two words",
                    "greeting property: Greetings from the launcher"]
        ok = True
        for line in expected:
            if line not in lines:
                print("missing line:", line)
                ok = False
        # The launcher adds its own folder entries; the configured jar is there.
        class_path = [l for l in lines if l.startswith("class path: ")]
        if not class_path or jar not in class_path[0][len("class path: "):].split(":"):
            print("jar not on the class path:", class_path)
            ok = False
        heap = [l for l in lines if l.startswith("max heap (KiB): ")]
        # -Xmx64m: the VM reports a little less than the configured maximum.
        if not heap or not 32768 < int(heap[0].split(": ")[1]) <= 65536:
            print("max heap not near 65536 KiB:", heap)
            ok = False
        return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
