#!/usr/bin/env bash
# A full-screen program in front hides the gauge within half a second; when it ends the gauge
# is back on top, where it was. An ordinary window in front leaves it shown. The gauge as
# Win32 sees it comes from covering_window.exe, the program in front (Wine's X stacking may
# differ from Win32's).
set -euo pipefail
# shellcheck source=lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

scenario_begin
helper_dir=$(cd "$(dirname "$DIALVANE_EXE")" && pwd)
[[ -f $helper_dir/covering_window.exe ]] || fail "no covering_window.exe beside the program"
log="$E2E_ARTIFACTS/covering_window.log"

# in_front SHAPE SAYS: covering_window.exe in front, until it says what it saw of the gauge.
in_front() {
    (cd "$helper_dir" && exec wine ./covering_window.exe "$1" DialvaneForm) </dev/null \
        >"$log" 2>/dev/null &
    cover_pid=$!
    track_pid "$cover_pid"
    wait_until 20 grep -q "$2" "$log" || fail "$1 in front: '$(tr -d '\r' <"$log")'"
}
gone() {
    wine taskkill /im covering_window.exe </dev/null >/dev/null 2>&1 || true
    wait_until 10 pid_gone "$cover_pid" || fail "covering_window.exe did not end"
    tr -d '\r' <"$log" | tail -n 1
}

launch_app
wait_window Dialvane
window_geometry
place="$WIN_X,$WIN_Y ${WIN_W}x$WIN_H"

in_front full '^hidden after'
screenshot full_screen_in_front
[[ -z $(find_windows Dialvane) ]] || fail "the hidden gauge is still mapped on the X screen"
note "$(tr -d '\r' <"$log" | tail -n 1)"
assert_between 0 500 "$(tr -dc '0-9' < <(grep '^hidden' "$log"))" "ms until hidden"
back=$(gone)
note "$back"
[[ $back =~ ^shown\ after\ ([0-9]+)\ ms,\ topmost,\ first,\ at\ (.*)$ ]] ||
    fail "not back on top: '$back'"
back_place=${BASH_REMATCH[2]}
assert_between 0 500 "${BASH_REMATCH[1]}" "ms until shown again"
assert_eq "$place" "$back_place" "place after coming back"
wait_window Dialvane 2
screenshot back_on_top

in_front 900x600 '^still shown, first'
screenshot ordinary_window_in_front
gone >/dev/null
