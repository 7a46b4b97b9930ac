#!/usr/bin/env bash
# Installs what is missing, builds both presets and runs every test: unit tests natively,
# Win32 and end-to-end tests under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset native
cmake --build --preset native
ctest --preset native
cmake --preset windows
cmake --build --preset windows
ctest --preset windows
