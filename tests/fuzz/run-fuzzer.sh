#!/usr/bin/env bash
# Runs a libFuzzer program as a test: a fixed number of executions with a
# fixed seed, starting from the target's committed corpus, which it only
# reads (new inputs go to a scratch folder removed afterwards, so every run
# starts from the same inputs). A crash input is kept in FINDINGS_DIR. The
# time one input may take is wall-clock time, generous because the tests
# share the machine.
#   run-fuzzer.sh FUZZER RUNS CORPUS_DIR FINDINGS_DIR [MAX_LEN]
set -eu
fuzzer=$1 runs=$2 corpus=$3 findings=$4 max_len=${5:-4096}
[ -d "$corpus" ] || { echo "no corpus folder $corpus" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$findings"
"$fuzzer" -runs="$runs" -seed=1 -reload=0 -max_len="$max_len" -timeout=60 -rss_limit_mb=1024 \
  -artifact_prefix="$findings/" "$scratch" "$corpus"
