#!/usr/bin/env python3
"""Fails when a built launcher stub is larger than its budget.

    check_stub_sizes.py BUDGETS TARGET=BIN_FOLDER...

BUDGETS is stubs/size-budgets.txt (target, file, budget in bytes per
line); each TARGET=BIN_FOLDER names where that target's stubs are built.
A stub that was not built is reported and skipped; at least one must be
checked.
"""
import os
import sys


def read_budgets(path):
    budgets = []
    with open(path) as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if line:
                target, name, budget = line.split()
                budgets.append((target, name, int(budget)))
    return budgets


def main():
    budgets = read_budgets(sys.argv[1])
    folders = dict(arg.split("=", 1) for arg in sys.argv[2:])
    checked = failures = 0
    for target, name, budget in budgets:
        path = os.path.join(folders.get(target, ""), name)
        if target not in folders or not os.path.isfile(path):
            print("skip %-12s %-11s (not built)" % (target, name))
            continue
        size = os.path.getsize(path)
        checked += 1
        verdict = "ok" if size <= budget else "OVER BUDGET"
        failures += size > budget
        print("%-4s %-12s %-11s %7d of %7d bytes" % (verdict, target, name, size, budget))
    if checked == 0:
        print("no stub was built")
        return 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
