#!/usr/bin/env bash
# Builds every preset (scripts/build.sh), then the packages into dist/:
#   caskit_<version>_amd64.deb             the host tree (CPack, DEB)
#   caskit-<version>-windows-x64.zip       the win64 tree (CPack, ZIP)
#   caskit-<version>-windows-x86.zip       the win32 tree
#   SHA256SUMS                             of the three
# lintian checks the Debian package: an error fails the script; its
# warnings are printed. Then the size of every package.
# BUILD_ROOT (default ./build) holds one folder per preset; DIST (default
# ./dist) gets the packages (emptied first).
set -eu
cd "$(dirname "$0")/.."
root=${BUILD_ROOT:-$PWD/build}
dist=${DIST:-$PWD/dist}

scripts/build.sh
rm -rf "$dist"
mkdir -p "$dist"
for preset in host win64 win32; do
  out="$root/$preset/packages"
  rm -rf "$out"
  echo "== Packaging the $preset tree"
  cpack --config "$root/$preset/CPackConfig.cmake" -B "$out"
  find "$out" -maxdepth 1 -type f \( -name '*.deb' -o -name '*.zip' \) -exec cp {} "$dist/" \;
done

echo "== lintian"
lintian --display-info --fail-on error "$dist"/caskit_*.deb || { echo "lintian found errors" >&2; exit 1; }

cd "$dist"
sha256sum -- caskit_*.deb caskit-*.zip >SHA256SUMS
echo "== $dist"
ls -l
