#!/usr/bin/env bash
# A fuzzing campaign (not part of the test command): runs every fuzz target
# of the host tree (listed by the build in fuzz-targets.txt) for RUNS
# executions under AddressSanitizer and UndefinedBehaviorSanitizer, with
# inputs up to the target's own maximum length (listed with it), starting
# from its committed corpus, then merges the inputs that add coverage into
# that corpus (libFuzzer's merge keeps only those). Prints per target the
# executions, executions per second, coverage (edges and features at the
# start and at the end) and findings. A finding (crash, leak, timeout, out
# of memory) is kept in the campaign folder and copied into the corpus as a
# regression input, so the test command replays it until it is fixed.
#
#   scripts/fuzz.sh [RUNS] [NAME_PART]     RUNS default 10000000
# HOST_DIR (default BUILD_ROOT/host, BUILD_ROOT default ./build); SEED
# (default 0: libFuzzer picks one, printed per target); TIMEOUT, seconds of
# wall-clock time one input may take before it counts as a hang (default
# 120: a campaign shares the machine, and a starved process is not a hang);
# JOBS, how many targets fuzz at the same time (default 1).
# NAME_PART limits the campaign to the targets whose name holds it.
set -u
cd "$(dirname "$0")/.."
root=${BUILD_ROOT:-$PWD/build}
host=${HOST_DIR:-$root/host}
runs=${1:-10000000}
only=${2:-}
seed=${SEED:-0}
timeout=${TIMEOUT:-120}
jobs=${JOBS:-1}

[ -f "$host/CMakeCache.txt" ] || cmake --preset host -B "$host" >/dev/null
cmake --build "$host" --target caskit_fuzzers || exit 1
list="$host/fuzz-targets.txt"
[ -f "$list" ] || { echo "no fuzz targets listed in $list" >&2; exit 1; }

campaign="$host/fuzz-campaign"
mkdir -p "$campaign"
export ASAN_OPTIONS=detect_leaks=1
# The targets whose readers take a path write each input to a file there.
[ -d /dev/shm ] && export TMPDIR=/dev/shm
# Value of "name: N" on the last status line of a libFuzzer log that has it.
status_value() { grep -E "^#[0-9]+.*$2: [0-9]+" "$1" | tail -n 1 | sed -E "s/.*$2: ([0-9]+).*/\1/"; }
initial_value() { grep -E "^#[0-9]+[[:space:]]+INITED.*$2: [0-9]+" "$1" | tail -n 1 | sed -E "s/.*$2: ([0-9]+).*/\1/"; }
final_stat() { grep -E "^stat::$2:" "$1" | tail -n 1 | awk '{ print $2 }'; }

# One target: fuzz, merge, keep findings; writes report.txt (what happened)
# and summary.txt (its row of the table) in the target's campaign folder.
fuzz_target() {
  local name=$1 program=$2 corpus=$3 max_len=$4 work="$campaign/$1" before after start seconds rc findings f
  rm -rf "$work"
  mkdir -p "$work/new" "$work/findings" "$corpus"
  before=$(find "$corpus" -type f | wc -l)
  start=$(date +%s)
  "$program" -runs="$runs" -seed="$seed" -reload=0 -max_len="$max_len" -timeout="$timeout" -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/findings/" "$work/new" "$corpus" >"$work/fuzz.log" 2>&1
  rc=$?
  seconds=$(( $(date +%s) - start ))
  {
    echo "== $name: $runs executions from $corpus ($before inputs), seed" \
      "$(grep -m1 -oE 'Seed: [0-9]+' "$work/fuzz.log" | awk '{ print $2 }'), exit $rc, log $work/fuzz.log"
    "$program" -merge=1 -max_len="$max_len" -timeout="$timeout" -rss_limit_mb=2048 "$corpus" "$work/new" \
      >"$work/merge.log" 2>&1 || echo "   merge failed: see $work/merge.log"
    findings=$(find "$work/findings" -type f | wc -l)
    for f in "$work/findings"/*; do
      [ -f "$f" ] && cp "$f" "$corpus/regression-$(basename "$f")"
    done
    if [ "$findings" -gt 0 ] || [ "$rc" -ne 0 ]; then
      echo "   FINDINGS in $work/findings (copied into $corpus as regression-*):"
      grep -E "^(==[0-9]+==ERROR|SUMMARY|.*runtime error)" "$work/fuzz.log" | head -n 5 | sed 's/^/     /'
    fi
  } >"$work/report.txt"
  after=$(find "$corpus" -type f | wc -l)
  printf '%-26s %12s %9s %7s/%-7s %7s/%-7s %6s %6s %4s %6ss\n' "$name" \
    "$(final_stat "$work/fuzz.log" number_of_executed_units)" "$(final_stat "$work/fuzz.log" average_exec_per_sec)" \
    "$(initial_value "$work/fuzz.log" cov)" "$(status_value "$work/fuzz.log" cov)" \
    "$(initial_value "$work/fuzz.log" ft)" "$(status_value "$work/fuzz.log" ft)" "$before" "$after" \
    "$(find "$work/findings" -type f | wc -l)" "$seconds" >"$work/summary.txt"
}

names=()
while IFS=$'\t' read -r name program corpus max_len; do
  [ -n "$name" ] || continue
  case "$name" in *"$only"*) ;; *) continue ;; esac
  names+=("$name")
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n; done
  echo "started $name"
  fuzz_target "$name" "$program" "$corpus" "${max_len:-4096}" &
done <"$list"
wait

echo
total_findings=0
for name in "${names[@]}"; do
  cat "$campaign/$name/report.txt"
  total_findings=$((total_findings + $(find "$campaign/$name/findings" -type f | wc -l)))
done
echo
printf '%-26s %12s %9s %15s %15s %6s %6s %4s %7s\n' target executions exec/s "edges start/end" \
  "features st/end" corpus after finds time
for name in "${names[@]}"; do cat "$campaign/$name/summary.txt"; done
[ "$total_findings" -eq 0 ]
