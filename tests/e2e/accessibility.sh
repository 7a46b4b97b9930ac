#!/usr/bin/env bash
# A screen reader in another process reads the gauge as a progress bar, with the figures behind
# the reading as its description, and presses "Beenden", which ends the program with its
# settings saved; oleacc arrives with the first request only.
# Shift+F10 and the menu key on the round gauge open the options view. The options panel is
# hidden from the reader while it lies beyond the round gauge's edge.
set -euo pipefail
# shellcheck source=lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

scenario_begin
settings="$E2E_SETTINGS_KEY\\Optionen"
probe_dir=$(cd "$(dirname "$DIALVANE_EXE")" && pwd)
[[ -f $probe_dir/accessibility_probe.exe ]] || fail "no accessibility_probe.exe beside the program"

probe() {
    (cd "$probe_dir" && wine ./accessibility_probe.exe "$@") </dev/null 2>/dev/null | tr -d '\r'
}
oleacc_loaded() {
    grep -q '/oleacc\.dll' "/proc/$APP_PID/maps"
}
# The key goes to the window itself, and is let go whatever happens to the window.
keyboard_opens_options() {
    xdotool key --window "$WIN_ID" "$1"
    release_keys
    wait_until 3 gauge_size 453x148 || fail "$1 left the gauge at ${WIN_W}x$WIN_H"
}

reg_set "$settings" txtHeight REG_SZ 4000 # loaded as 2500, and saved so at the end
reg_set "$settings" lblHDRAM.Caption REG_SZ HD
launch_app
wait_window Dialvane
window_geometry
! oleacc_loaded || fail "oleacc.dll was loaded before anyone asked"

gauge=$(probe gauge)
note "the gauge says: $gauge"
size='[0-9]+(\.[0-9])? [GT]B'
[[ $gauge =~ ^48\|Dialvane,\ Laufwerk\ C:\|([0-9]+[.,][0-9]?|--)\ %\|Laufwerk\ C:\ $size\ von\ $size\ belegt,\ $size\ frei$ ]] ||
    fail "not a progress bar named by drive mode with its reading and the drive's figures: '$gauge'"
oleacc_loaded || fail "answered without oleacc.dll"

# The options panel lies beyond the round gauge's edge: nothing of it is there for the reader.
# panel_states 1|0: every object of the panel reads as hidden (1), or every one as shown (0).
panel_states() {
    local states
    states=$(probe states)
    note "the panel's states: $(tr '\n' ' ' <<<"$states")"
    (($(grep -c . <<<"$states") >= 8)) || fail "not the panel, its six controls and Beenden"
    ! grep -qv "|$1\$" <<<"$states" || fail "not every object of the panel has hidden=$1"
}
panel_states 1

keyboard_opens_options shift+F10
panel_states 0
wait_until 5 reg_has "$settings" MEMTOP || fail "the key's release did not save the position"
xdotool key --window "$WIN_ID" Return
release_keys
wait_until 3 eval '! gauge_size 453x148' || fail "Enter did not bring the gauge back"
keyboard_opens_options Menu

assert_eq "43|Drücken" "$(probe press Beenden)" "the red cross as a screen reader finds it"
wait_exit 10 || fail "pressing 'Beenden' did not end the program"
assert_eq 2500 "$(reg_get "$settings" txtHeight)" "saved size"
assert_eq HD "$(reg_get "$settings" lblHDRAM.Caption)" "saved mode"
