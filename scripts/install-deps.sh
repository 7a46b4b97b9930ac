#!/usr/bin/env bash
# Installs the Debian packages Dialvane needs to build, run and test. Safe to run again.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang-format googletest libgtest-dev libbenchmark-dev libjpeg-dev
    libgif-dev libstb-dev clang libclang-rt-dev llvm
    g++-mingw-w64-x86-64-posix mingw-w64-tools
    wine wine64 fonts-wine xvfb xdotool imagemagick x11-utils xclip locales
    nsis unzip zip jq yq osslsigncode openssl
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
