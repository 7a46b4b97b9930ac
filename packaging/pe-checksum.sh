#!/usr/bin/env bash
# Gives a PE file the length and check sum that osslsigncode leaves when it removes a
# signature: the length padded with zeros to a multiple of 8, and the check sum (the file's
# 16-bit words added with their carries folded back, without the check sum itself, plus the
# length). makensis writes neither; with both, a signed installer whose signature is removed
# is the unsigned one byte for byte.  pe-checksum.sh FILE
set -euo pipefail
file=$1

size=$(stat -c %s "$file")
head -c $(((8 - size % 8) % 8)) /dev/zero >>"$file"
size=$(stat -c %s "$file")

# e_lfanew at 0x3c; the check sum lies past the PE signature (4 bytes), the file header (20)
# and 64 bytes into the optional header.
header=$(od -An -v -tu4 -j 60 -N 4 "$file" | tr -d ' ')
at=$((header + 4 + 20 + 64))
[[ $(od -An -c -j "$header" -N 4 "$file" | tr -d ' ') == 'PE\0\0' ]] || {
    printf '%s is no PE file\n' "$file" >&2
    exit 1
}
sum=$(od -An -v -tu2 -w2 "$file" | awk -v first=$((at / 2)) '
    NR - 1 != first && NR - 1 != first + 1 { s += $1; s = s % 65536 + int(s / 65536) }
    END { print s }')
sum=$(((sum + size) & 0xffffffff))
printf '%b' "$(printf '\\%03o' $((sum & 255)) $((sum >> 8 & 255)) $((sum >> 16 & 255)) \
    $((sum >> 24 & 255)))" |
    dd of="$file" bs=1 seek="$at" conv=notrunc status=none
