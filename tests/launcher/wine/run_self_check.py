#!/usr/bin/python3
"""Runs a self-checking Windows program under Wine in a fresh folder.

    run_self_check.py WINE_RUN RUNS_DIR PROGRAM [NAME=VALUE]...

The program gets the report file's name as its argument and the given
variables in its start-up environment; it writes "FAIL ..." lines and a
final "done". Wine's output goes to a file, so helper processes that
outlive the program hold none of the test's pipes.
"""
import os
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
from caskit_test import fresh_folder, run_logged  # noqa: E402


def main():
    wine_run, runs_dir, program = sys.argv[1:4]
    env = dict(os.environ)
    for pair in sys.argv[4:]:
        name, _, value = pair.partition("=")
        env[name] = value
    folder = fresh_folder(os.path.join(runs_dir, os.path.splitext(os.path.basename(program))[0]))
    exe = os.path.join(folder, os.path.basename(program))
    shutil.copyfile(program, exe)
    returncode = run_logged([wine_run, exe, "report.txt"], os.path.join(folder, "wine.log"), cwd=folder, env=env)
    report_path = os.path.join(folder, "report.txt")
    report = open(report_path, encoding="latin-1").read() if os.path.exists(report_path) else ""
    print(report, end="")
    if returncode != 0 or not report.endswith("done\n") or "FAIL" in report:
        print(f"failed: exit code {returncode}; see {folder}")
        return 1
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
