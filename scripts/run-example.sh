#!/usr/bin/env bash
# The main job: builds everything, compiles the example Java program in
# examples/hello, writes its project with `caskit new`, compiles that
# project into a Linux launcher and Windows executables, and runs the
# Linux launcher on OpenJDK 17.
# BUILD_ROOT (default ./build) holds one folder per preset, as for build.sh.
set -eu
cd "$(dirname "$0")/.."
root=${BUILD_ROOT:-$PWD/build}

scripts/build.sh

java_home=${CASKIT_JAVA_HOME:-/usr/lib/jvm/java-17-openjdk-amd64}
if [ ! -x "$java_home/bin/javac" ]; then
  java_home=$(dirname "$(dirname "$(readlink -f "$(command -v javac)")")")
fi
caskit="$root/host/cli/caskit"
example="$root/host/examples/hello"

echo "== Compiling examples/hello with $java_home/bin/javac"
rm -rf "$example"
mkdir -p "$example/classes" "$example/out"
"$java_home/bin/javac" -d "$example/classes" $(find examples/hello/src -name '*.java')
"$java_home/bin/jar" cf "$example/hello.jar" -C "$example/classes" .

echo "== Writing the project with caskit new"
# The class path is relative: every launcher makes its own folder the
# current directory, and each output folder gets a copy of the jar.
"$caskit" new "$example/hello.csk" --jdk 2.0 \
  --exe-name hello --exe-folder "$example/out" \
  --main-class hello.Main --class-path hello.jar \
  --arguments 'from-the-project "two words"' \
  --property 'hello.greeting=Hello from a Caskit launcher' \
  --min-heap 16384 --max-heap 131072
"$caskit" show "$example/hello.csk"

echo "== Compiling the project"
for target in linux-x64 windows-x64 windows-x86; do
  name=hello
  [ "$target" = linux-x64 ] || name=hello.exe
  if [ "$target" != linux-x64 ] && [ ! -f "$root/host/cli/stubs/$target/stub12.exe" ]; then
    echo "(no $target stubs were built; skipping $target)"
    continue
  fi
  mkdir -p "$example/out/$target"
  cp "$example/hello.jar" "$example/out/$target/"
  "$caskit" compile "$example/hello.csk" --target "$target" --out "$example/out/$target/$name"
done

echo "== Running the Linux launcher: $example/out/linux-x64/hello from-the-command-line"
JAVA_HOME="$java_home" "$example/out/linux-x64/hello" from-the-command-line
