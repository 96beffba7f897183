#!/usr/bin/env bash
# Runs a libFuzzer binary for a bounded number of iterations.
#   run-fuzzer.sh FUZZER RUNS CORPUS_DIR [SEED_DIR]
set -eu
fuzzer=$1 runs=$2 corpus=$3 seed=${4:-}
mkdir -p "$corpus"
dirs=("$corpus")
[ -n "$seed" ] && [ -d "$seed" ] && dirs+=("$seed")
exec "$fuzzer" -runs="$runs" -max_len=4096 -timeout=10 -rss_limit_mb=1024 "${dirs[@]}"
