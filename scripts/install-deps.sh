#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need, when any is missing; with the
# argument "fuzz", also those of the fuzz build; with "package", those that make and check the .deb.
set -euo pipefail
packages=(g++ make cmake ninja-build pkg-config libsdl2-dev libsdl2-ttf-dev libjpeg62-turbo-dev libenet-dev
          fonts-dejavu-core libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth ccache dpkg-dev file)
# "fuzz": the libFuzzer build's compiler and runtime too.
if [ "${1:-}" = fuzz ]; then packages+=(clang libclang-rt-dev); fi
# "package": lintian, which checks the .deb (dpkg-dev and file, which make it, are needed by the tests too).
if [ "${1:-}" = package ]; then packages+=(lintian); fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
