"""The manual page: `man -l` renders it without a complaint, with its
name line and the version, and it lists every option `caskit --help`
lists, spelled as a user types it.

    manual_test.py CASKIT CASKIT_1_GZ VERSION"""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import Checks  # noqa: E402

CASKIT, PAGE, VERSION = sys.argv[1:4]
OPTION = re.compile(r"(?<![\w-])--[a-z][a-z0-9-]*")
check = Checks()

help_text = subprocess.run([CASKIT, "--help"], capture_output=True, check=True, text=True).stdout
options = sorted(set(OPTION.findall(help_text)))
check(len(options) > 30, "options found in --help: %r" % options)

env = dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80")
env.pop("MANPAGER", None)
env.pop("PAGER", None)
r = subprocess.run(["man", "--no-hyphenation", "--no-justification", "-l", PAGE], capture_output=True, env=env)
page = r.stdout.decode("utf-8")
check(r.returncode == 0 and r.stderr == b"", "man -l: rc %d, %r" % (r.returncode, r.stderr[:500]))
check("caskit - build native launchers for Java applications" in page, "name line:\n" + page[:400])
check(re.search(r"^caskit %s\s" % re.escape(VERSION), page, re.M) is not None, "version in the footer")
words = set(OPTION.findall(page))
for option in options:
    check(option in words, "the manual page lacks %s" % option)
sys.exit(check.result())
