#!/usr/bin/env bash
# A full-screen program on the gauge's monitor hides it, in front or not; when it ends the gauge
# is back on top, where it was. An ordinary window, a maximised one that draws its own title bar
# and a full-screen program on the other monitor leave it shown. How Win32 sees the gauge comes
# from covering_window.exe, the other program: Wine's X stacking may differ.
set -euo pipefail
# shellcheck source=lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

scenario_begin --two-monitors
helper_dir=$(cd "$(dirname "$DIALVANE_EXE")" && pwd)
[[ -f $helper_dir/covering_window.exe ]] || fail "no covering_window.exe beside the program"

# start_cover NAME ARGS...: covering_window.exe ARGS... for the gauge, its report in NAME.log.
start_cover() {
    local name=$1
    shift
    (cd "$helper_dir" && exec wine ./covering_window.exe "$1" DialvaneForm "${@:2}") </dev/null \
        >"$E2E_ARTIFACTS/$name.log" 2>/dev/null &
    track_pid $!
}
report() { tr -d '\r' <"$E2E_ARTIFACTS/$1.log" | paste -sd ';'; }
said() { grep -q "$2" "$E2E_ARTIFACTS/$1.log"; }
# wait_report NAME: until the cover has gone and said what followed.
wait_report() {
    wait_until 20 said "$1" '^shown after\|^still hidden\|never\|^no monitor' ||
        fail "$1: '$(report "$1")'"
    note "$1: $(report "$1")"
}
# cover NAME ARGS...: the whole run of one cover, with a screenshot while it is there.
cover() {
    start_cover "$@"
    wait_until 20 said "$1" '^hidden\|^still\|never\|^no monitor' || fail "$1: '$(report "$1")'"
    screenshot "$1"
    wait_report "$1"
}
# expect_back NAME: hidden within half a second, back on top where it was within half a second.
expect_back() {
    [[ $(report "$1") =~ hidden\ after\ ([0-9]+)\ ms\;shown\ after\ ([0-9]+)\ ms,\ topmost,\ first,\ at\ (.*)$ ]] ||
        fail "$1: not hidden, or not back on top: $(report "$1")"
    local hidden=${BASH_REMATCH[1]} back=${BASH_REMATCH[2]} at=${BASH_REMATCH[3]}
    assert_between 0 500 "$hidden" "$1: ms until hidden"
    assert_between 0 500 "$back" "$1: ms until back"
    assert_eq "$WIN_X,$WIN_Y ${WIN_W}x$WIN_H" "$at" "$1: place after coming back"
}
# expect_shown NAME ARGS...: a cover that leaves the gauge shown and first.
expect_shown() {
    cover "$@"
    said "$1" '^still shown, first' || fail "$1 hid the gauge or went above it: $(report "$1")"
}

# On the primary.
launch_app
wait_window Dialvane
window_geometry
cover full_screen_in_front full
expect_back full_screen_in_front
screenshot back_on_top
expect_shown ordinary_window_in_front 900x600
expect_shown full_screen_on_the_other_monitor full monitor=1
# Without a taskbar its frame covers the monitor, its client area too.
expect_shown maximised_with_own_title_bar maximised
close_app

# On the second monitor.
reg_set "$E2E_SETTINGS_KEY\\Optionen" Monis REG_SZ 2
reg_set "$E2E_SETTINGS_KEY\\Optionen" MEMLeft REG_SZ "$(((1024 + 300) * 15))"
reg_set "$E2E_SETTINGS_KEY\\Optionen" MEMTOP REG_SZ "$((200 * 15))"
launch_app
wait_window Dialvane
window_geometry
assert_eq "1324,200" "$WIN_X,$WIN_Y" "restored on the second monitor"
cover full_screen_on_its_monitor full monitor=1
expect_back full_screen_on_its_monitor
# A film on its monitor; the user works in a window on the other one meanwhile.
start_cover film_behind_other_work full monitor=1 hold=6000
wait_until 20 said film_behind_other_work '^hidden' ||
    fail "the film did not hide the gauge: $(report film_behind_other_work)"
cover work_on_the_primary 900x600 monitor=0 hold=1500
[[ $(report work_on_the_primary) =~ ^hidden\ after\ [0-9]+\ ms\;still\ hidden$ ]] ||
    fail "shown while the film was on its monitor: $(report work_on_the_primary)"
wait_report film_behind_other_work
expect_back film_behind_other_work
close_app
