#!/usr/bin/python3
"""Wine tier of the download offer's last step: an address opened with
ShellExecuteA reaches the program the system registers for https
addresses (the browser stand-in, which records its command line).

  wine_browser.py --probe OPEN_ADDRESS_PROBE --browser BROWSER_STANDIN --work SCRATCH
"""
import argparse
import os
import shutil
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import expect_equal, fresh_folder, run_to_files, winpath  # noqa: E402

WINE = "/usr/lib/wine/wine64"
KEY = r"HKCR\https\shell\open\command"


def main():
    parser = argparse.ArgumentParser()
    for name in ("--probe", "--browser", "--work"):
        parser.add_argument(name, required=True)
    args = parser.parse_args()
    work = fresh_folder(os.path.abspath(args.work))
    browser = os.path.join(work, "browser.exe")
    shutil.copyfile(args.browser, browser)
    env = dict(os.environ, WINEDEBUG="-all")
    env.pop("DISPLAY", None)
    # The prefix's own handler (winebrowser) is put back afterwards.
    _, query, _ = run_to_files([WINE, "reg", "query", KEY, "/ve"], work, env=env)
    saved = [l.split("REG_SZ", 1)[1].strip() for l in query.splitlines() if "REG_SZ" in l]
    run_to_files([WINE, "reg", "add", KEY, "/ve", "/d", '"%s" "%%1"' % winpath(browser), "/f"], work, env=env)
    try:
        address = "https://example.org/java?from=caskit"
        rc, _, _ = run_to_files([WINE, args.probe, address], work, env=env)
        calls = os.path.join(work, "browser-calls.txt")
        for _ in range(300):  # the browser is started, not waited for
            if os.path.exists(calls) and open(calls, "rb").read().endswith(b"\n"):
                break
            time.sleep(0.1)
        recorded = open(calls, "rb").read().decode("latin-1") if os.path.exists(calls) else ""
        expect_equal((rc, recorded.strip().strip('"')), (0, address), "exit code and the address the browser got")
    finally:
        if saved:
            run_to_files([WINE, "reg", "add", KEY, "/ve", "/d", saved[0], "/f"], work, env=env)
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
