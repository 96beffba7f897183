#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine with this build tree's prefix.
# Used as CMAKE_CROSSCOMPILING_EMULATOR, so `add_test(COMMAND target ...)`
# runs the target through it. The prefix is WINEPREFIX when set, else the
# `wineprefix` folder of the build tree that holds the program.
#
# The program's output goes to files first and is printed when it ends:
# Wine's own helper processes (the desktop, services) may be started by the
# program and would otherwise keep the caller's pipe open long after.
set -u
if [ -z "${WINEPREFIX:-}" ]; then
  dir=$(cd "$(dirname "$1")" && pwd)
  while [ "$dir" != "/" ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  export WINEPREFIX="$dir/wineprefix"
fi
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
out=$(mktemp) err=$(mktemp)
/usr/lib/wine/wine64 "$@" >"$out" 2>"$err" </dev/null
rc=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit $rc
