#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine with this build tree's prefix.
# Used as CMAKE_CROSSCOMPILING_EMULATOR, so `add_test(COMMAND target ...)`
# runs the target through it. The prefix is WINEPREFIX when set, else the
# `wineprefix` folder of the build tree that holds the program.
set -u
if [ -z "${WINEPREFIX:-}" ]; then
  dir=$(cd "$(dirname "$1")" && pwd)
  while [ "$dir" != "/" ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  export WINEPREFIX="$dir/wineprefix"
fi
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
unset DISPLAY_UNUSED
exec /usr/lib/wine/wine64 "$@"
