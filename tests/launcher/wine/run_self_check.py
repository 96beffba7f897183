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
import subprocess
import sys


def main():
    wine_run, runs_dir, program = sys.argv[1:4]
    env = dict(os.environ)
    for pair in sys.argv[4:]:
        name, _, value = pair.partition("=")
        env[name] = value
    folder = os.path.join(runs_dir, os.path.splitext(os.path.basename(program))[0])
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    exe = os.path.join(folder, os.path.basename(program))
    shutil.copyfile(program, exe)
    with open(os.path.join(folder, "wine.log"), "wb") as log:
        result = subprocess.run([wine_run, exe, "report.txt"], cwd=folder, env=env, timeout=120,
                                stdin=subprocess.DEVNULL, stdout=log, stderr=log)
    report_path = os.path.join(folder, "report.txt")
    report = open(report_path, encoding="latin-1").read() if os.path.exists(report_path) else ""
    print(report, end="")
    if result.returncode != 0 or not report.endswith("done\n") or "FAIL" in report:
        print(f"failed: exit code {result.returncode}; see {folder}")
        return 1
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
