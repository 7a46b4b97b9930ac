#!/usr/bin/env bash
# Makes a release in build/release/VERSION: Dialvane.exe, the portable zip, the installer,
# SHA256SUMS and the winget and Scoop manifests, whose hashes are those of the files beside them.
#
#   scripts/release.sh [--sign CERT.pfx] [--out DIR] [--prebuilt BUILD_DIR]
#
# --sign     signs Dialvane.exe, packs the signed program into the zip and the installer, then
#            signs the installer (osslsigncode, SHA-256). The certificate's password is read
#            from DIALVANE_SIGN_PASSWORD; DIALVANE_TIMESTAMP_URL, when set, names an RFC 3161
#            time-stamp server, so the signature stays valid after the certificate expires.
# --prebuilt packs what that windows build already holds instead of configuring and building.
set -euo pipefail

usage() {
    sed -n '4,11s/^# \{0,1\}//p' "$0" >&2
    exit 2
}

cert="" out="" build=""
while (($# > 0)); do
    case $1 in
        --sign) cert=$(realpath -m -- "${2:?}") && shift 2 ;;
        --out) out=$(realpath -m -- "${2:?}") && shift 2 ;;
        --prebuilt) build=$(realpath -m -- "${2:?}") && shift 2 ;;
        *) usage ;;
    esac
done
[[ -z $cert || -f $cert ]] || {
    printf 'no certificate at %s\n' "$cert" >&2
    exit 1
}
cd "$(dirname "$0")/.."

scripts/install-deps.sh
if [[ -z $build ]]; then
    build=build/windows
    cmake --preset windows
    cmake --build --preset windows --target package
fi
if [[ -n $(git status --porcelain --untracked-files=no 2>/dev/null) ]]; then
    printf 'warning: uncommitted changes; this release is not the last commit\n' >&2
fi

settings=$build/packaging/release.env
# shellcheck source=/dev/null
source "$settings"
out=${out:-build/release/$VERSION}
zip=Dialvane-$VERSION-win64.zip
setup=Dialvane-$VERSION-setup.exe
# Made aside and moved into place when complete: a failed signing leaves no release.
final=$out
out=$out.partial
rm -rf -- "$final" "$out"
mkdir -p -- "$out"

sign() {
    local file=$1
    local command=(osslsigncode sign -pkcs12 "$cert" -h sha256 -n Dialvane -i "$HOMEPAGE")
    [[ -z ${DIALVANE_TIMESTAMP_URL:-} ]] || command+=(-ts "$DIALVANE_TIMESTAMP_URL")
    # The password through a pipe, not on a command line that ps shows.
    "${command[@]}" -readpass <(printf '%s' "${DIALVANE_SIGN_PASSWORD-}") \
        -in "$file" -out "$file.signed" >/dev/null
    mv -f -- "$file.signed" "$file"
}

cp -- "$build/platform/win32/Dialvane.exe" "$out/Dialvane.exe"
if [[ -n $cert ]]; then
    sign "$out/Dialvane.exe"
    bash packaging/make-packages.sh "$settings" "$out/Dialvane.exe" "$out"
    sign "$out/$setup"
else
    cp -- "$build/packaging/$zip" "$build/packaging/$setup" "$out/"
fi
bash packaging/write-manifests.sh "$settings" "$out" "$out/manifests"
(cd "$out" && sha256sum Dialvane.exe "$zip" "$setup" >SHA256SUMS)
mv -- "$out" "$final"
printf 'Release %s in %s:\n' "$VERSION" "$final"
cat "$final/SHA256SUMS"
