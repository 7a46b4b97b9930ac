#!/usr/bin/env bash
# Two builds of one commit give the same bytes: built by the README's commands in another
# folder, later, under another umask and time zone, and compiled anew, the program, the
# portable zip, the installer and the manifests are those of the first build. Every time in
# them is the last commit's.   reproducible.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1 build=$2

fail() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}

given_epoch=${SOURCE_DATE_EPOCH:-}
# shellcheck source=/dev/null
source "$build/packaging/release.env"
epoch=$SOURCE_DATE_EPOCH
outputs=(platform/win32/Dialvane.exe packaging/Dialvane-$VERSION-win64.zip
    packaging/Dialvane-$VERSION-setup.exe)

commit=$(git -C "$source_dir" rev-parse HEAD) || fail "$source_dir is no git checkout"
if [[ -z $given_epoch ]]; then
    [[ $epoch == "$(git -C "$source_dir" log -1 --format=%ct)" ]] ||
        fail "release time $epoch is not the last commit's"
fi

# The PE header's time stamp, and the zip entries' times (2-second steps, stored in UTC; zip
# rounds an odd second up).
exe=$build/platform/win32/Dialvane.exe
header=$(od -An -tu4 -j 60 -N 4 "$exe" | tr -d ' ')
[[ $(od -An -tu4 -j $((header + 8)) -N 4 "$exe" | tr -d ' ') == "$epoch" ]] ||
    fail "the PE time stamp of Dialvane.exe is not $epoch"
while read -r _ _ _ _ _ _ time name; do
    stored=$(date -u -d "${time:0:8} ${time:9:2}:${time:11:2}:${time:13:2}" +%s)
    ((stored - epoch <= 1 && epoch - stored <= 1)) ||
        fail "$name in the zip dates from $time UTC, not from $epoch"
done < <(TZ=UTC0 unzip -Z -T "$build/${outputs[1]}" | grep '^-')

work=$(mktemp -d "${TMPDIR:-/tmp}/dialvane-second-build.XXXXXX")
trap 'rm -rf -- "$work"' EXIT
copy=$work/another/folder/Dialvane
git clone --quiet --shared --no-checkout -- "$source_dir" "$copy"
git -C "$copy" checkout --quiet --detach "$commit"
# With the changes not committed yet, so that a working tree compares with its own copy.
(
    cd "$source_dir"
    git ls-files -z --cached --others --exclude-standard |
        while IFS= read -r -d '' file; do
            [[ ! -e $file ]] || printf '%s\0' "$file"
        done |
        tar --null -T - -cf -
) | tar -xf - -C "$copy"

# Later: zip and NSIS keep times to 2 seconds.
newest=$(stat -c %Y "${outputs[@]/#/$build/}" | sort -n | tail -n 1)
while (($(date +%s) < newest + 3)); do
    sleep 1
done

started=$(date +%s)
(
    cd "$copy"
    umask 077
    export TZ=NPT-5:45
    unset CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER
    cmake --preset windows && cmake --build --preset windows --target package
) >"$work/build.log" 2>&1 || {
    tail -n 30 "$work/build.log" >&2
    fail "the second build failed"
}

for output in "${outputs[@]}"; do
    if ! cmp -s "$build/$output" "$copy/build/windows/$output"; then
        cmp -l "$build/$output" "$copy/build/windows/$output" | head -n 10 >&2 || true
        fail "$output differs between the two builds"
    fi
done
diff -r "$build/packaging/manifests" "$copy/build/windows/packaging/manifests" >&2 ||
    fail "the manifests differ"
printf 'second build in %d s, the same bytes:\n' $(($(date +%s) - started))
(cd "$build" && sha256sum "${outputs[@]}")
