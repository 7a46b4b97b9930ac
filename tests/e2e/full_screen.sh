#!/usr/bin/env bash
# A full-screen program in front hides the gauge within half a second; when it ends the gauge
# is back on top, where it was. An ordinary window in front leaves it shown. How Win32 sees the
# gauge comes from covering_window.exe, the program in front: Wine's X stacking may differ.
set -euo pipefail
# shellcheck source=lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

scenario_begin
helper_dir=$(cd "$(dirname "$DIALVANE_EXE")" && pwd)
[[ -f $helper_dir/covering_window.exe ]] || fail "no covering_window.exe beside the program"
log="$E2E_ARTIFACTS/covering_window.log"
said() { grep -q "$1" "$log"; }

# cover SHAPE SCREENSHOT: a second of covering_window.exe in front, with a screenshot.
cover() {
    (cd "$helper_dir" && exec wine ./covering_window.exe "$1" DialvaneForm) </dev/null \
        >"$log" 2>/dev/null &
    track_pid $!
    wait_until 20 said '^hidden\|^still' || fail "$1 in front: '$(cat "$log")'"
    screenshot "$2"
    wait_until 10 said '^shown after' || fail "$1 gone: '$(cat "$log")'"
    note "$1: $(tr -d '\r' <"$log" | paste -sd ';')"
}

launch_app
wait_window Dialvane
window_geometry
cover full full_screen_in_front
[[ $(tr -d '\r' <"$log") =~ hidden\ after\ ([0-9]+)\ ms.shown\ after\ ([0-9]+)\ ms,\ topmost,\ first,\ at\ (.*)$ ]] ||
    fail "not hidden, or not back on top"
place=${BASH_REMATCH[3]} hidden=${BASH_REMATCH[1]} back=${BASH_REMATCH[2]}
assert_between 0 500 "$hidden" "ms until hidden"
assert_between 0 500 "$back" "ms until back"
assert_eq "$WIN_X,$WIN_Y ${WIN_W}x$WIN_H" "$place" "place after coming back"
screenshot back_on_top

cover 900x600 ordinary_window_in_front
said '^still shown, first' || fail "an ordinary window in front hid the gauge or went above it"
