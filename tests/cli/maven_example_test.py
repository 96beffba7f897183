"""The Maven example as a user builds it: `mvn -o -q package` with this
caskit and JDK makes the jar, the launchers and the bundle, and the bundled
launcher prints what the program prints from its own runtime. Exit 77
(skipped) when mvn is missing.

    maven_example_test.py CASKIT EXAMPLE_DIR JDK"""
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import Checks, temp_folder  # noqa: E402

CASKIT, EXAMPLE, JDK = (os.path.abspath(a) for a in sys.argv[1:4])


def main():
    mvn = shutil.which("mvn")
    if mvn is None:
        print("skipped: mvn is not installed (scripts/setup.sh installs it)")
        return 77
    check = Checks()
    with temp_folder("caskit-maven-") as work:
        project = os.path.join(work, "maven")
        shutil.copytree(EXAMPLE, project, ignore=shutil.ignore_patterns("target"))
        env = dict(os.environ, JAVA_HOME=JDK)
        r = subprocess.run([mvn, "-o", "-q", "package", "-Dcaskit=" + CASKIT, "-Dcaskit.jdk=" + JDK],
                           cwd=project, env=env, capture_output=True, timeout=300)
        check(r.returncode == 0, "mvn package: %s%s" % (r.stdout.decode()[-3000:], r.stderr.decode()))
        app = os.path.join(project, "target", "app")
        for name in ("hello", "hello.exe", "lib/hello.jar"):
            check(os.path.isfile(os.path.join(app, name)), "target/app/" + name)
        dist = os.path.join(project, "target", "dist")
        check(os.path.isfile(os.path.join(dist, "hello-1.0.0-linux-x64.tar.gz")), "the bundle's tar.gz")
        bundled = os.path.join(dist, "hello", "hello")
        r = subprocess.run([bundled, "one", "two"], capture_output=True, timeout=60,
                           env={"PATH": "/usr/bin:/bin", "HOME": work})
        check(r.stdout.decode().splitlines() == [
            "Hello from a Maven build!", "arguments: one | two",
            "java.home: " + os.path.join(dist, "hello", "runtime")],
            "bundled launcher: %r %r" % (r.stdout, r.stderr))
    return check.result()


if __name__ == "__main__":
    sys.exit(main())
