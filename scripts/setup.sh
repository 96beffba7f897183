#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Caskit.
# Idempotent: does nothing when everything is already there.
set -eu
packages=(cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev
          mingw-w64 g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine64 xvfb xdotool imagemagick x11-utils
          openjdk-17-jdk-headless python3 python3-pefile python3-markdown hyperfine osslsigncode icoutils openssl
          locales dpkg-dev file help2man man-db lintian zlib1g-dev libz-mingw-w64-dev wixl msitools
          maven libmaven-compiler-plugin-java libmaven-resources-plugin-java libmaven-jar-plugin-java
          libsurefire-java libexec-maven-plugin-java)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
