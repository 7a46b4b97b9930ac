#!/usr/bin/env bash
# The options panel on the real window: the size box takes only digits and "weiter" (or Enter)
# applies the size; "AutoStart" and "kein AutoStart" write and remove the Run value with a
# message box each; "Speicher aufräumen" empties the clipboard and shows the notice in yellow;
# the red cross ends the program with its settings saved.
set -euo pipefail
# shellcheck source=lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

scenario_begin
settings="$E2E_SETTINGS_KEY\\Optionen"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
reg_delete_value "$run_key" Dialvane
launch_app
wait_window Dialvane
window_geometry

# Places in the options view, window pixels: the panel starts at 148, -4.
size_box=(282 87)
weiter=(293 121)
auto_on=(393 12)
auto_off=(393 33)
clean_up=(240 33)
exit_cross=(418 116)

at() {
    mouse_move $((WIN_X + $1)) $((WIN_Y + $2))
    sleep 0.1
}
open_options() {
    window_geometry
    at 40 20
    click 3
    wait_until 3 eval 'window_geometry; [[ ${WIN_W}x$WIN_H == 453x148 ]]' ||
        fail "no options view: ${WIN_W}x$WIN_H"
}
# Empties the size box and types into it. Keys go to the window itself: one held down by the
# server while the window shrinks from under the pointer would never be let go.
type_size() {
    at "${size_box[@]}"
    click 1
    xdotool key --window "$WIN_ID" End BackSpace BackSpace BackSpace BackSpace BackSpace
    xdotool type --window "$WIN_ID" --delay 30 "$1"
}
gauge_size() {
    window_geometry
    [[ ${WIN_W}x$WIN_H == "$1" ]]
}
# The box is the second window called Dialvane; Return closes it.
message_box() {
    local id
    for id in $(find_windows Dialvane); do
        [[ $id == "$WIN_ID" ]] || {
            BOX_ID=$id
            return 0
        }
    done
    return 1
}
# Wine may replace the box's X window while showing it, so Return goes to the box there is
# now, once it has settled.
close_message_box() {
    wait_until 5 message_box || fail "no message box after $1"
    local tries
    for tries in 1 2 3; do
        sleep 0.3
        message_box || return 0
        xdotool key --window "$BOX_ID" Return 2>/dev/null || true
        release_keys
        wait_until 1 eval '! message_box' && return 0
    done
    fail "the message box after $1 stayed open"
}

open_options
type_size "0a9,0.0"
at "${weiter[@]}"
click 1
wait_until 3 gauge_size 60x60 || fail "after 'weiter' the gauge is ${WIN_W}x$WIN_H, not 60x60"
assert_eq 0900 "$(reg_get "$settings" txtHeight)" "saved size, as typed"
screenshot applied
expect_outside 1 1 "corner of the round 60-pixel gauge"
expect_inside 30 1 "top of the round 60-pixel gauge"

open_options
type_size 1500
xdotool key --window "$WIN_ID" Return
wait_until 3 gauge_size 100x100 || fail "Enter left the gauge at ${WIN_W}x$WIN_H"
assert_eq 1500 "$(reg_get "$settings" txtHeight)" "size saved by Enter"

open_options
at "${auto_on[@]}"
click 1
close_message_box AutoStart
expected=$(winepath -w "$DIALVANE_EXE" 2>/dev/null)
expected=${expected%.exe}
[[ $expected == *' '* ]] && expected="\"$expected\""
assert_eq "$expected" "$(reg_get "$run_key" Dialvane)" "the Run value"
at "${auto_off[@]}"
click 1
close_message_box "kein AutoStart"
! reg_has "$run_key" Dialvane || fail "'kein AutoStart' left the Run value"

printf 'kopiert' | xclip -quiet -selection clipboard -i &
track_pid $!
wait_until 3 eval '[[ $(xclip -o -selection clipboard 2>/dev/null) == kopiert ]]' ||
    fail "xclip did not fill the clipboard"
at "${clean_up[@]}"
click 1
wait_until 3 eval '! xclip -o -selection clipboard >/dev/null 2>&1' ||
    fail "'Speicher aufräumen' left the clipboard full"
sleep 0.3
screenshot notice
yellow=$(count_colour_in_rect $((WIN_X + 170)) $((WIN_Y + 4)) 160 16 FFFF00 40)
((yellow >= 20)) || fail "no yellow notice where the credit line was ($yellow pixels)"
convert "$SHOT_PNG" -crop "${WIN_W}x$WIN_H+$WIN_X+$WIN_Y" +repage "$E2E_ARTIFACTS/options-notice.png"

type_size 2000
at "${exit_cross[@]}"
click 1
wait_exit 10 || fail "the red cross did not end the program"
assert_eq 2000 "$(reg_get "$settings" txtHeight)" "the typed size, saved on the way out"
assert_eq 1 "$(reg_get "$settings" Monis)" "saved monitor count"
assert_eq RAM "$(reg_get "$settings" lblHDRAM.Caption)" "saved mode"
