#!/usr/bin/env bash
# Benchmark (not a test): median start-to-exit time of the Linux launcher
# and of `java -cp` on the same hello program, their ratio; the launcher
# whose runtime is found by the search (java on PATH, no JAVA_HOME) next to
# the same launcher with a configured binarypath, and their difference (what
# the search costs); the median time of a Linux compile of a Windows
# executable with a version block and two icons next to the time to copy
# the stub, their ratio; the time and peak memory of a compile that refuses
# a stub whose resource tree claims far more than the file holds; and the
# size in bytes of every launcher stub built (win64, win32, Linux) with its
# budget; the start-up cache's figures on Java 17 and 25 for the Java
# compiler and for a program in two jars (CACHE_ROUNDS rounds, default 5);
# the size of the example bundled with --jlink next to jpackage's app image
# with the same modules, and the start-to-exit times of the two launchers;
# one instance's hand-over and the restart on an exit code on Java 17 and 25.
#
#   scripts/bench.sh [RUNS]
# Build folders: HOST_DIR, WIN64_DIR, WIN32_DIR (default BUILD_ROOT/<preset>,
# BUILD_ROOT default ./build). The launcher is HOST_DIR/bin/stub12.
set -eu
cd "$(dirname "$0")/.."
root=${BUILD_ROOT:-$PWD/build}
host=${HOST_DIR:-$root/host}
win64=${WIN64_DIR:-$root/win64}
win32=${WIN32_DIR:-$root/win32}
runs=${1:-21}
java_home=${JAVA_HOME:-/usr/lib/jvm/java-17-openjdk-amd64}

stub="$host/bin/stub12"
[ -x "$stub" ] || { echo "no Linux launcher at $stub: build the host target stub12" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$java_home/bin/javac" -d "$work/classes" examples/hello/src/hello/Main.java

# The launcher configured by a parameter trailer: block text, then its
# length as a 32-bit little-endian number. configure FILE BINARYPATH
configure() {
  cp "$stub" "$1"
  /usr/bin/python3 - "$1" "$work/classes" "$2" <<'PY'
import struct, sys
lines = ["binarypath", sys.argv[3], "classname", "hello.Main", "parameters", "bench", "appendcp",
         "environment", "0", "classpath", "1", sys.argv[2], "properties", "1", "hello.greeting=bench",
         "minheap", "1024", "maxheap", "16384"]
block = "".join(l + "\n" for l in lines).encode()
with open(sys.argv[1], "ab") as f:
    f.write(block + struct.pack("<I", len(block)))
PY
}
configure "$work/hello" "#internal#"
configure "$work/hello-configured" "$java_home/lib/server/libjvm.so"
# java on PATH through a link, as /usr/bin/java leads to a runtime.
mkdir -p "$work/bin"
ln -s "$java_home/bin/java" "$work/bin/java"

launcher_cmd=("$work/hello")
java_cmd=("$java_home/bin/java" -Xms1024k -Xmx16384k -Dhello.greeting=bench -cp "$work/classes" hello.Main bench)

# Median in milliseconds of microsecond figures.
median_of() {
  printf '%s\n' "$@" | sort -n | awk '{ a[NR] = $1 } END { m = (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2; printf "%.2f", m / 1000 }'
}

# Found by the search: no JAVA_HOME, java on PATH (in a folder of its own,
# so no other runtime is met first); configured: the same library named.
search_cmd=(env -u JAVA_HOME "PATH=$work/bin:$PATH" "$work/hello")
configured_cmd=(env -u JAVA_HOME "PATH=$work/bin:$PATH" "$work/hello-configured")
# The search's own cost without the VM's start-up in the figures: the same
# pair given a library of this machine that is no VM (the JDK's
# libjli.so), so each run ends at once with the missing-entry-point
# message; the difference of the medians is what the search costs.
mkdir -p "$work/novm/bin" "$work/novm/lib/server"
: > "$work/novm/bin/java"
ln -s "$java_home/lib/libjli.so" "$work/novm/lib/server/libjvm.so"
configure "$work/novm-search" "#internal#"
configure "$work/novm-configured" "$work/novm/lib/server/libjvm.so"
novm_search_cmd=(env -u JAVA_HOME "PATH=$work/novm/bin:$PATH" "$work/novm-search")
novm_configured_cmd=(env -u JAVA_HOME "PATH=$work/novm/bin:$PATH" "$work/novm-configured")

export JAVA_HOME="$java_home"
unset CLASSPATH CASKIT_DIAGNOSTICS
# Every command must really run the program, or the figures mean nothing.
for cmd in launcher java search configured; do
  case $cmd in
    launcher) out=$("${launcher_cmd[@]}" 2>&1) ;;
    java) out=$("${java_cmd[@]}" 2>&1) ;;
    search) out=$("${search_cmd[@]}" 2>&1) ;;
    configured) out=$("${configured_cmd[@]}" 2>&1) ;;
  esac
  case "$out" in
    *"Hello from Caskit!"*"bench"*) ;;
    *) echo "the $cmd run did not run the hello program:" >&2; echo "$out" >&2; exit 1 ;;
  esac
done
for cmd in search configured; do
  # These runs fail on purpose (exit code 1 after the message).
  if [ $cmd = search ]; then out=$("${novm_search_cmd[@]}" 2>&1 || true); else out=$("${novm_configured_cmd[@]}" 2>&1 || true); fi
  case "$out" in
    *"Can't locate JVM entry points"*) ;;
    *) echo "the $cmd run did not load the library that is no VM:" >&2; echo "$out" >&2; exit 1 ;;
  esac
done
# Medians of two commands (array names) run alternately COUNT times each,
# each going first in every other round, so a machine that grows busier
# during the benchmark weighs on both alike: prints "MEDIAN_A MEDIAN_B" in
# milliseconds (after one warm-up run of each).
paired_medians() {
  local -n first=$1 second=$2
  local count=$3 a=() b=() start end
  "${first[@]}" >/dev/null 2>&1 || true
  "${second[@]}" >/dev/null 2>&1 || true
  for ((i = 0; i < count; i++)); do
    if ((i % 2)); then
      start=$(date +%s%N); "${second[@]}" >/dev/null 2>&1 || true; end=$(date +%s%N)
      b+=($(( (end - start) / 1000 )))
    fi
    start=$(date +%s%N); "${first[@]}" >/dev/null 2>&1 || true; end=$(date +%s%N)
    a+=($(( (end - start) / 1000 )))
    if ((i % 2 == 0)); then
      start=$(date +%s%N); "${second[@]}" >/dev/null 2>&1 || true; end=$(date +%s%N)
      b+=($(( (end - start) / 1000 )))
    fi
  done
  echo "$(median_of "${a[@]}") $(median_of "${b[@]}")"
}

# Prints the medians of two commands (named arrays), run alternately, and
# their ratio.
#   compare LABEL_A CMD_A LABEL_B CMD_B RATIO_LABEL
compare() {
  local a b
  read -r a b < <(paired_medians "$2" "$4" "$runs")
  printf '  %-34s %8s ms\n' "$1:" "$a"
  printf '  %-34s %8s ms\n' "$3:" "$b"
  awk -v a="$a" -v b="$b" -v l="$5" 'BEGIN { printf "  %-34s %8.2f\n", l ":", a / b }'
}

echo "Start-to-exit, median of $runs alternating runs (hello program, same heap options):"
compare "Linux launcher (stub12)" launcher_cmd "java -cp" java_cmd "ratio launcher / java"

# Compiling a Windows executable on Linux (resource form: marker, block,
# version block, two icons) against copying its stub.
caskit="$host/cli/caskit"
winstub="$host/cli/stubs/windows-x64/stub12.exe"
if [ -x "$caskit" ] && [ -f "$winstub" ]; then
  PYTHONPATH=tests/cli /usr/bin/python3 -c 'import sys, icons; open(sys.argv[1], "wb").write(icons.icon_file()[0])' "$work/app.ico"
  "$caskit" new "$work/bench.csk" --jdk 2.0 --exe-folder "$work" --exe-name bench.exe --main-class hello.Main \
    --version-info on --company Tallowmark --file-version 1.2.3.4 --large-icon "$work/app.ico" \
    --small-icon "$work/app.ico" >/dev/null
  compile_cmd=("$caskit" compile "$work/bench.csk" --target windows-x64)
  copy_cmd=(cp "$winstub" "$work/copy.exe")
  "${compile_cmd[@]}" >/dev/null
  echo "Windows executable with version block and two icons, compiled on Linux, median of $runs alternating runs:"
  compare "caskit compile" compile_cmd "cp stub12.exe" copy_cmd "ratio compile / copy (goal <= 3)"
else
  echo "no caskit or staged Windows stub in $host: compile benchmark skipped"
fi

# Stubs whose resource trees claim far more than their section holds (the
# PE fuzz corpus's amplify-* inputs): the compile must refuse each at once.
if [ -x "$caskit" ]; then
  echo "Stubs with amplifying resource trees, refused by caskit compile (goal < 1 s and < 50 MB each):"
  mkdir -p "$work/amplify"
  "$caskit" new "$work/amplify.csk" --jdk 2.0 --exe-folder "$work/amplify" --exe-name a.exe --main-class a.Main >/dev/null
  for input in tests/engine/fuzz/pe-corpus/amplify-*; do
    cp "$input" "$work/amplify/stub12.exe"
    out=$(/usr/bin/time -f "%e s, %M KB peak" "$caskit" compile "$work/amplify.csk" --target windows-x64 \
      --stubs "$work/amplify" 2>&1 || true)
    case "$out" in
      *"not an executable whose resources can be changed"*) ;;
      *) echo "the compile did not refuse $input:" >&2; echo "$out" >&2; exit 1 ;;
    esac
    printf '  %-34s %s\n' "$(basename "$input"):" "$(printf '%s\n' "$out" | tail -n 1)"
  done
fi

# The medians of two commands (array names) run alternately COUNT times
# each, as found by the search against configured, and their difference.
alternate() {
  local found given
  read -r found given < <(paired_medians "$1" "$2" "$3")
  printf '  found by the search (java on PATH): %8s ms\n' "$found"
  printf '  configured binarypath:              %8s ms\n' "$given"
  awk -v a="$found" -v b="$given" 'BEGIN { printf "  difference:                         %8.2f ms\n", a - b }'
}
echo "Runtime found by the search or configured, median of $runs alternating runs (JAVA_HOME unset):"
alternate search_cmd configured_cmd "$runs"
echo "Cost of the search alone, median of $((runs * 10)) alternating runs (a library that is no VM):"
alternate novm_search_cmd novm_configured_cmd $((runs * 10))
echo "Start-up cache: the Java compiler on one small file, and 3,000 classes in two jars, launcher against java -cp (scripts/bench_startup_cache.py):"
for program in javac jars; do
  for home in "$java_home" /usr/lib/jvm/temurin-25-jdk-amd64; do
    if [ -f "$home/lib/server/libjvm.so" ]; then
      /usr/bin/python3 scripts/bench_startup_cache.py "$stub" "$home" "${CACHE_ROUNDS:-5}" "$program"
    else
      echo "  no runtime at $home: skipped"
    fi
  done
done
echo "One instance's hand-over and restart on an exit code (scripts/bench_desktop.py):"
for home in "$java_home" /usr/lib/jvm/temurin-25-jdk-amd64; do
  if [ -f "$home/lib/server/libjvm.so" ]; then
    /usr/bin/python3 scripts/bench_desktop.py "$stub" "$home" | sed 's/^/  /'
  else
    echo "  no runtime at $home: skipped"
  fi
done
echo "Stub sizes and budgets (bytes; stubs/size-budgets.txt):"
/usr/bin/python3 tests/stubs/check_stub_sizes.py stubs/size-budgets.txt \
  "linux-x64=$host/bin" "windows-x64=$win64/bin" "windows-x86=$win32/bin" | sed 's/^/  /' || true
echo "caskit bundle of the example with --jlink (MiB, apparent sizes) against jpackage's app image with the same modules:"
mkdir -p "$work/bundle/lib"
"$java_home/bin/jar" cf "$work/bundle/lib/hello.jar" -C "$work/classes" .
"$host/cli/caskit" new "$work/bundle/hello.csk" --jdk 2.0 --exe-name hello --exe-folder . --main-class hello.Main \
  --class-path 'lib/*' >/dev/null
bundle_start=$(date +%s.%N)
"$host/cli/caskit" bundle "$work/bundle/hello.csk" --target linux-x64 --jlink "$java_home" --out "$work/dist" \
  --format dir --format tar.gz >/dev/null
bundle_end=$(date +%s.%N)
"$java_home/bin/jpackage" --type app-image --input "$work/bundle/lib" --main-jar hello.jar --main-class hello.Main \
  --name jp --dest "$work/jpackage" --add-modules "$("$java_home/bin/jdeps" --print-module-deps \
  --ignore-missing-deps "$work/bundle/lib/hello.jar")"
mib() { du -s --apparent-size --block-size=1M "$1" | cut -f1; }
printf '  bundle %s MiB, as tar.gz %s MiB, jpackage %s MiB; bundle made in %.1f s\n' "$(mib "$work/dist/hello")" \
  "$(mib "$work/dist/hello-1.0.0-linux-x64.tar.gz")" "$(mib "$work/jpackage/jp")" "$(echo "$bundle_end - $bundle_start" | bc)"
echo "Start-to-exit of a bundle (start-up cache on) against jpackage's app image, same modules and heap sizes (scripts/bench_bundle_start.py):"
/usr/bin/python3 scripts/bench_bundle_start.py "$host/cli/caskit" "$java_home" "$work/classes" "${CACHE_ROUNDS:-5}"
