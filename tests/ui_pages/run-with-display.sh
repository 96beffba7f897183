#!/usr/bin/env bash
# Runs a command on an X server of its own (Xvfb) with a Wine prefix of its
# own (a copy of the build tree's, see tests/support/display.sh); both end
# with the command.
#   run-with-display.sh NAME COMMAND...
# The command's output goes through a file: Wine's helper processes outlive
# the command and would keep a pipe (and so the test runner) open.
set -u
source "$(dirname "$0")/../support/display.sh"
name=$1
shift
out=$(mktemp)
trap 'stop_private_wine; stop_display; rm -f "$out"' EXIT
use_private_wine "$name" || exit 1
start_display "$out.xvfb" || exit 1
"$@" >"$out" 2>&1
status=$?
grep -v '^X connection to' "$out"
rm -f "$out.xvfb"
exit $status
