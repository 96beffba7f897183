#!/usr/bin/env bash
# Builds everything and runs every test tier: unit, jvm (host tree) and
# wine, ui (win64 tree, under Wine), and the file checks of the win32 tree
# (its programs are built and read, never run).
set -eu
cd "$(dirname "$0")/.."
root=${BUILD_ROOT:-$PWD/build}
scripts/build.sh
jobs=${CTEST_JOBS:-2}
status=0
ctest --test-dir "$root/host" --output-on-failure -j "$jobs" || status=1
ctest --test-dir "$root/win64" --output-on-failure || status=1
ctest --test-dir "$root/win32" --output-on-failure || status=1
exit $status
