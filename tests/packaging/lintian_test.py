"""lintian, Debian's package checker, on the Debian package: no error.
Every tag it reports (warnings and notes too) is printed.

    lintian_test.py DEB_FOLDER"""
import os
import subprocess
import sys

folder = sys.argv[1]
debs = [os.path.join(folder, n) for n in os.listdir(folder) if n.endswith(".deb")]
if len(debs) != 1:
    print("FAIL: expected one package in %s, found %r" % (folder, debs))
    sys.exit(1)
r = subprocess.run(["lintian", "--display-info", "--fail-on", "error", debs[0]], capture_output=True, text=True)
print(r.stdout + r.stderr)
errors = [line for line in r.stdout.splitlines() if line.startswith("E:")]
if r.returncode != 0 or errors:
    print("FAIL: lintian exit code %d, %d error(s)" % (r.returncode, len(errors)))
    sys.exit(1)
print("no lintian error")
