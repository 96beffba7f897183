#!/usr/bin/env bash
# Runs the UI driver against Caskit2.exe inside a Wine virtual desktop on a
# private Xvfb display with a private Wine prefix (see
# tests/support/display.sh), answers the driver's screenshot requests with
# `import -window root`, and passes when the driver's log ends in
# "RESULT PASS".
#   run-ui.sh CASKIT2_EXE UI_DRIVER_EXE STANDIN_DIR WORK_DIR
set -u
source "$(dirname "$0")/../support/display.sh"
caskit=$1
driver=$2
standins=$3
work=$4
wine=/usr/lib/wine/wine64

rm -rf "$work"
mkdir -p "$work/shots" "$work/out"
winpath() { local p; p=$(readlink -f "$1"); echo "Z:${p//\//\\}"; }

shooter=
desktop=
cleanup() {
  stop_private_wine
  [ -n "$desktop" ] && kill "$desktop" 2>/dev/null
  [ -n "$shooter" ] && kill "$shooter" 2>/dev/null
  stop_display
  wait 2>/dev/null
}
trap cleanup EXIT
use_private_wine ui || exit 1
start_display "$work/xvfb.log" || exit 1

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

# The driver's log ends with its RESULT line; give up when the desktop
# process is gone without one.
for _ in $(seq 1 1600); do
  grep -q '^RESULT' "$work/ui.log" 2>/dev/null && break
  kill -0 "$desktop" 2>/dev/null || { grep -q '^RESULT' "$work/ui.log" 2>/dev/null; break; }
  sleep 0.5
done
cat "$work/ui.log" 2>/dev/null || echo "the driver wrote no log (see $work/wine.log)"
echo "screenshots: $work/shots"
grep -q '^RESULT PASS' "$work/ui.log" 2>/dev/null
