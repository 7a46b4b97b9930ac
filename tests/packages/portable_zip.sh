#!/usr/bin/env bash
# The portable zip holds exactly the program, the read-me and the licence, as they were built
# and written: portable_zip.sh ZIP EXE README LICENSE
set -euo pipefail
zip=$1 exe=$2 readme=$3 license=$4

fail() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}

unzip -tqq "$zip" || fail "$zip is damaged"
entries=$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')
[[ $entries == 'Dialvane.exe LICENSE README.txt ' ]] || fail "entries of $zip: $entries"
unzip -p "$zip" Dialvane.exe | cmp -s - "$exe" || fail "its Dialvane.exe is not $exe"
unzip -p "$zip" README.txt | cmp -s - "$readme" || fail "its README.txt is not $readme"
unzip -p "$zip" LICENSE | cmp -s - "$license" || fail "its LICENSE is not $license"
printf 'portable zip: %s, %d bytes\n' "$entries" "$(stat -c %s "$zip")"
