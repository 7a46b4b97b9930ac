#!/usr/bin/env bash
# The options panel on the real window: the size box takes only digits and "weiter" (or Enter,
# but only in the options view) applies the size; "AutoStart" and "kein AutoStart" write and
# remove the Run value with a message box each; "Speicher aufräumen" empties the clipboard and
# shows the notice in yellow; the red cross ends the program with its settings saved.
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

# In the round view the size box, where the focus rests, lies beyond the window's edge: digits
# typed there and Enter apply nothing. The right click that opens the options comes after them.
at 40 20
click 1
xdotool type --window "$WIN_ID" --delay 30 2500
xdotool key --window "$WIN_ID" Return
open_options
! reg_has "$settings" txtHeight || fail "Enter in the round view applied a size"

type_size "0a9,0.0"
at "${OPTIONS_WEITER[@]}"
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
at "${OPTIONS_AUTOSTART[@]}"
click 1
close_message_box AutoStart
expected=$(winepath -w "$DIALVANE_EXE" 2>/dev/null)
expected=${expected%.exe}
[[ $expected == *' '* ]] && expected="\"$expected\""
assert_eq "$expected" "$(reg_get "$run_key" Dialvane)" "the Run value"
at "${OPTIONS_NO_AUTOSTART[@]}"
click 1
close_message_box "kein AutoStart"
! reg_has "$run_key" Dialvane || fail "'kein AutoStart' left the Run value"

printf 'kopiert' | xclip -quiet -selection clipboard -i &
track_pid $!
wait_until 3 eval '[[ $(clipboard_text) == kopiert ]]' ||
    fail "xclip did not fill the clipboard"
at "${OPTIONS_CLEAN_UP[@]}"
click 1
wait_until 5 eval '[[ -z $(clipboard_text) ]]' ||
    fail "'Speicher aufräumen' left the clipboard full"
# The notice is painted after the clipboard is emptied.
yellow_notice() {
    screenshot notice
    yellow=$(count_colour_in_rect $((WIN_X + 170)) $((WIN_Y + 4)) 160 16 FFFF00 40)
    ((yellow >= 20))
}
wait_until 5 yellow_notice || fail "no yellow notice where the credit line was ($yellow pixels)"
convert "$SHOT_PNG" -crop "${WIN_W}x$WIN_H+$WIN_X+$WIN_Y" +repage "$E2E_ARTIFACTS/options-notice.png"

type_size 2000
at "${OPTIONS_EXIT[@]}"
click 1
wait_exit 10 || fail "the red cross did not end the program"
assert_eq 2000 "$(reg_get "$settings" txtHeight)" "the typed size, saved on the way out"
assert_eq 1 "$(reg_get "$settings" Monis)" "saved monitor count"
assert_eq RAM "$(reg_get "$settings" lblHDRAM.Caption)" "saved mode"
