#!/usr/bin/env bash
# A signed release: scripts/release.sh --sign, with a throw-away certificate, signs the program
# and then the installer around the signed program. osslsigncode verifies both; a wrong
# password makes no release; the signed installer installs the signed gauge, which runs; the
# manifests and SHA256SUMS hold the signed files' hashes; and with their signatures removed
# the files are, byte for byte, the unsigned program and the installer that anyone can build
# around the published signed program.
set -euo pipefail
# shellcheck source=../e2e/lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib/harness.sh"

[[ -f ${DIALVANE_SETTINGS:-} ]] || fail "no release settings at '${DIALVANE_SETTINGS:-}'"
[[ -n ${DIALVANE_VERSION:-} ]] || fail "DIALVANE_VERSION is not set"
scenario_begin

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(dirname "$(dirname "$DIALVANE_SETTINGS")")
work=$E2E_SCENARIO_TMP
release=$work/release
setup=Dialvane-$DIALVANE_VERSION-setup.exe
zip=Dialvane-$DIALVANE_VERSION-win64.zip
password=$(head -c 12 /dev/urandom | od -An -tx1 | tr -d ' \n')

openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj '/CN=Dialvane test signing' \
    -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" \
    2>>"$E2E_ARTIFACTS/openssl.log" || fail "openssl made no certificate"
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/cert.pfx" \
    -passout "pass:$password" || fail "openssl made no PKCS#12 file"

release() {
    DIALVANE_SIGN_PASSWORD=$1 DIALVANE_TIMESTAMP_URL='' bash "$root/scripts/release.sh" \
        --sign "$work/cert.pfx" --prebuilt "$build" --out "$release" \
        >>"$E2E_ARTIFACTS/release.log" 2>&1
}
! release wrong || fail "a wrong password made a release"
[[ ! -e $release ]] || fail "a wrong password left a release"
release "$password" || fail "the signed release failed (see release.log)"

verify() {
    osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >>"$E2E_ARTIFACTS/verify.log" 2>&1 ||
        fail "$(basename "$1"): the signature does not verify"
}
verify "$release/Dialvane.exe"
verify "$release/$setup"
unzip -p "$release/$zip" Dialvane.exe >"$work/zipped.exe"
cmp -s "$work/zipped.exe" "$release/Dialvane.exe" || fail "the zip holds no signed program"

# Signatures off: the unsigned program, and the installer rebuilt around the signed program.
osslsigncode remove-signature -in "$release/Dialvane.exe" -out "$work/unsigned.exe" >/dev/null
cmp -s "$work/unsigned.exe" "$DIALVANE_EXE" || fail "unsigned, the program is not the built one"
mkdir -p "$work/rebuilt"
bash "$root/packaging/make-packages.sh" "$DIALVANE_SETTINGS" "$release/Dialvane.exe" \
    "$work/rebuilt" >>"$E2E_ARTIFACTS/release.log" 2>&1 || fail "no installer rebuilt"
osslsigncode remove-signature -in "$release/$setup" -out "$work/unsigned-setup.exe" >/dev/null
cmp -s "$work/unsigned-setup.exe" "$work/rebuilt/$setup" ||
    fail "unsigned, the installer is not the one built around the signed program"
cmp -s "$release/$zip" "$work/rebuilt/$zip" || fail "the zip is not the one built anew"

(cd "$release" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS are not the files' sums"
bash "$root/tests/packages/manifests.sh" "$release/manifests" "$release" "$DIALVANE_VERSION" ||
    fail "the manifests do not hold the signed files' hashes"

# The signed installer installs the signed gauge, which runs.
(cd "$WINEPREFIX/drive_c" && exec timeout 90 wine "$release/$setup" /S) </dev/null \
    >>"$E2E_ARTIFACTS/setup.log" 2>&1 || fail "the signed installer failed"
local_appdata=$(wine cmd /c echo %LOCALAPPDATA% </dev/null 2>/dev/null | tr -d '\r')
folder=$(winepath -u "$local_appdata\\Programs\\Dialvane")
cmp -s "$folder/Dialvane.exe" "$release/Dialvane.exe" || fail "the installed program is not signed"
launch_app "$folder/Dialvane.exe"
wait_window Dialvane
screenshot signed
close_app
assert_eq 0 "$APP_STATUS" "signed gauge exit status"
(cd "$WINEPREFIX/drive_c" && exec wine "$folder/Uninstall.exe" /S) </dev/null \
    >>"$E2E_ARTIFACTS/setup.log" 2>&1 || fail "the uninstaller failed"
wait_until 30 eval '[[ ! -e $folder ]]' || fail "the signed install was not removed"
