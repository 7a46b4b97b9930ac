#!/usr/bin/env bash
# Installs what is missing, builds the three presets and runs every test: unit tests natively
# with g++, again with clang under ASan and UBSan together with the fuzzer's corpus, then the
# Win32 and end-to-end tests under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
for preset in native clang-asan windows; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
