#!/usr/bin/env bash
# Started from a folder that also holds look-alikes of msimg32.dll and uxtheme.dll (Downloads,
# say), the gauge runs on the system's libraries: the planted ones never load.
set -euo pipefail
# shellcheck source=lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

scenario_begin
planted=${DIALVANE_PLANTED:-$(dirname "$DIALVANE_EXE")/../../tests/e2e/planted}
[[ -f $planted/msimg32.dll && -f $planted/uxtheme.dll ]] || fail "no look-alikes in $planted"
folder=$E2E_SCENARIO_TMP/Downloads
mkdir -p "$folder"
cp "$DIALVANE_EXE" "$planted"/msimg32.dll "$planted"/uxtheme.dll "$planted"/load_by_name.exe \
    "$folder"/
# Wine keeps its own builtin copy of a system library even where a file of that name lies in
# the program's folder; Windows takes the file. Native first makes Wine take it too.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};msimg32,uxtheme=n,b"

markers() {
    (cd "$folder" && ls -- *.loaded 2>/dev/null | tr '\n' ' ') || true
}

# A program that asks for them by name gets the look-alikes: the planting works here.
(cd "$folder" && wine load_by_name.exe msimg32.dll uxtheme.dll </dev/null 2>/dev/null |
    tr -d '\r') >"$E2E_ARTIFACTS/load_by_name.log"
note "$(cat "$E2E_ARTIFACTS/load_by_name.log")"
assert_eq "msimg32.dll.loaded uxtheme.dll.loaded " "$(markers)" "look-alikes loaded by name"
rm -f -- "$folder"/*.loaded

launch_app "$folder/Dialvane.exe"
wait_window Dialvane
window_geometry
# Open the options too: its buttons are drawn with the visual styles of uxtheme.
open_options
screenshot options
close_app
assert_eq "" "$(markers)" "look-alikes loaded by the gauge"
