#!/usr/bin/env bash
# Runs a command with DISPLAY set to an X server of its own: a private Xvfb
# on the first free display number from 140 on, stopped when the command ends.
# The command's output goes through a file: Wine's helper processes outlive
# the command and would keep a pipe (and so the test runner) open.
set -u
if ! command -v Xvfb >/dev/null; then
  echo "Xvfb is missing" >&2
  exit 1
fi
# Wine's desktop process belongs to the prefix's wineserver and stays bound
# to the display it was started on: begin and end with a fresh wineserver,
# so a desktop left by an earlier test (on a display that is gone) is never used.
restart_wine() { /usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1; /usr/lib/wine/wineserver -w </dev/null >/dev/null 2>&1; }
restart_wine
display=140
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
  display=$((display + 1))
done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'restart_wine; kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -f "${out:-}"' EXIT
for _ in $(seq 1 100); do
  [ -e "/tmp/.X11-unix/X$display" ] && break
  kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb did not start on :$display" >&2; exit 1; }
  sleep 0.1
done
out=$(mktemp)
DISPLAY=":$display" "$@" >"$out" 2>&1
status=$?
grep -v '^X connection to' "$out"
rm -f "$out"
exit $status
