#!/usr/bin/env bash
# Runs the UI driver against Caskit2.exe inside a Wine virtual desktop on a
# private Xvfb display, answers the driver's screenshot requests with
# `import -window root`, and passes when the driver's log ends in
# "RESULT PASS".
#   run-ui.sh CASKIT2_EXE UI_DRIVER_EXE STANDIN_DIR WORK_DIR
set -u
caskit=$1
driver=$2
standins=$3
work=$4
wine=/usr/lib/wine/wine64

rm -rf "$work"
mkdir -p "$work/shots" "$work/out"
winpath() { local p; p=$(readlink -f "$1"); echo "Z:${p//\//\\}"; }

# Wine's desktop process belongs to the prefix's wineserver and stays bound
# to the display it was started on: begin and end with a fresh wineserver,
# so a desktop left by an earlier test (on a display that is gone) is never used.
restart_wine() { /usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1; /usr/lib/wine/wineserver -w </dev/null >/dev/null 2>&1; }
restart_wine

display=
for n in $(seq 120 199); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "no free X display" >&2; exit 1; }
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
shooter=
desktop=
cleanup() {
  restart_wine
  [ -n "$desktop" ] && kill "$desktop" 2>/dev/null
  [ -n "$shooter" ] && kill "$shooter" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT
for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
export DISPLAY=":$display"

# Screenshot requests: shots/NAME.req becomes shots/NAME.png.
(
  while :; do
    for request in "$work"/shots/*.req; do
      [ -e "$request" ] || continue
      import -window root "${request%.req}.png" 2>>"$work/import.log"
      rm -f "$request"
    done
    sleep 0.2
  done
) &
shooter=$!

"$wine" explorer /desktop=caskit,1024x768 "$(winpath "$driver")" "$(winpath "$caskit")" "$(winpath "$work")" \
  "$(winpath "$standins")" >"$work/wine.log" 2>&1 &
desktop=$!

for _ in $(seq 1 1600); do
  grep -q '^RESULT' "$work/ui.log" 2>/dev/null && break
  sleep 0.5
done
cat "$work/ui.log" 2>/dev/null || echo "the driver wrote no log (see $work/wine.log)"
echo "screenshots: $work/shots"
grep -q '^RESULT PASS' "$work/ui.log" 2>/dev/null
