#!/usr/bin/env bash
# Configures and builds the three presets: win32 and win64 first (their
# stubs are staged for the Linux-built command-line builder), then host.
# BUILD_ROOT (default ./build) holds one folder per preset.
set -eu
cd "$(dirname "$0")/.."
root=${BUILD_ROOT:-$PWD/build}
for preset in win32 win64 host; do
  cmake --preset "$preset" -B "$root/$preset" \
    -DCASKIT_WIN64_DIR="$root/win64" -DCASKIT_WIN32_DIR="$root/win32" -DCASKIT_HOST_DIR="$root/host" >/dev/null
  cmake --build "$root/$preset"
done
