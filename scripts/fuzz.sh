#!/usr/bin/env bash
# Fuzzes start-up over stored settings for the given seconds (default 60): clang's libFuzzer
# with ASan and UBSan, from the corpus in tests/fuzz/corpus. What it learns stays in
# build/clang-asan/fuzz/corpus for the next run; an input that breaks start-up is written to
# build/clang-asan/fuzz/findings/ and ends the run with a failure.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: scripts/fuzz.sh [seconds]" >&2
    exit 2
fi

scripts/install-deps.sh
cmake --preset clang-asan >/dev/null
cmake --build --preset clang-asan --target stored_settings_fuzzer

work=build/clang-asan/fuzz
mkdir -p "$work/corpus" "$work/findings"
# Five settings of up to 255 characters each fit in 1400 bytes; longer ones read as defaults.
build/clang-asan/tests/fuzz/stored_settings_fuzzer -max_total_time="$seconds" -timeout=10 \
    -max_len=1400 -print_final_stats=1 -artifact_prefix="$work/findings/" \
    "$work/corpus" tests/fuzz/corpus
