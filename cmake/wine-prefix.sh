#!/usr/bin/env bash
# Makes (once) the Wine prefix of a build tree and keeps a wineserver
# running for the rest of the test run. `stop` ends that wineserver.
#   wine-prefix.sh PREFIX [start|stop]
set -eu
prefix=$1
action=${2:-start}
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ "$action" = stop ]; then
  /usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1 || true
  exit 0
fi
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  (unset DISPLAY; /usr/lib/wine/wine64 wineboot -i) >"$prefix.log" 2>&1 || true
  /usr/lib/wine/wineserver -w </dev/null >/dev/null 2>&1
fi
[ -f "$prefix/system.reg" ] || { echo "Wine prefix $prefix could not be made; see $prefix.log" >&2; exit 1; }
# A persistent wineserver keeps each program start near 0.1 s.
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 || true
exit 0
