#!/usr/bin/env bash
# Runs a Windows test program under Wine with its output going to a file,
# then shows the file and passes the exit code on. The first program that
# draws starts Wine's desktop process, which lives on after the test and
# would keep a pipe to the test runner open; a file does not hold it up.
#   run-logged.sh LOGFILE PROGRAM [ARGS...]
set -u
log=$1
shift
"$(dirname "$0")/../../cmake/wine-run.sh" "$@" >"$log" 2>&1 </dev/null
rc=$?
cat "$log"
exit $rc
