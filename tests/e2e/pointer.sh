#!/usr/bin/env bash
# The pointer on the real window: resting on it shows the memory's figures in a tooltip, which
# a press hides; a drag moves it by the pointer's distance and saves where it was let go;
# near the left edge it snaps flush; a click on the ring switches to drive mode; a double-click
# empties the clipboard; a right click opens the square-cornered options view.
set -euo pipefail
# shellcheck source=lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

scenario_begin
settings="$E2E_SETTINGS_KEY\\Optionen"
gauge_layout 1200
launch_app
wait_window Dialvane
window_geometry
assert_eq "67,67 80x80" "$WIN_X,$WIN_Y ${WIN_W}x$WIN_H" "first start"

# Resting on the dial shows the figures behind the reading in a tooltip, made only then; a
# press hides it, and it stays away while the button is held.
gauge_tip
assert_eq "" "$TIP_SHOWN" "a tooltip before the first hover"
mouse_move $((WIN_X + 40)) $((WIN_Y + 20))
wait_until 5 eval 'gauge_tip; [[ $TIP_SHOWN == 1 ]]' || fail "no tooltip on the resting pointer"
size='[0-9]+(\.[0-9])? [GT]B'
[[ $TIP_TEXT =~ ^Arbeitsspeicher:\ $size\ von\ $size\ belegt,\ $size\ frei$ ]] ||
    fail "not the memory's figures: '$TIP_TEXT'"
tip_drawn tooltip
mouse_down 1
wait_until 3 eval 'gauge_tip; [[ $TIP_SHOWN == 0 ]]' || fail "the press left the tooltip shown"
sleep 1 && gauge_tip && assert_eq 0 "$TIP_SHOWN" "a tooltip while the button is held"
mouse_up 1
sleep 0.6 # the drag's press would make a double-click of this one

# Hold the dial above the hub, away from the ring, and move it 200 right and 100 down.
drag $((WIN_X + 40)) $((WIN_Y + 20)) $((WIN_X + 240)) $((WIN_Y + 120)) 8
wait_until 5 eval 'window_geometry; [[ $WIN_X,$WIN_Y == 267,167 ]]' ||
    fail "not moved by the pointer's distance: at $WIN_X,$WIN_Y"
expect_reg "$settings" MEMTOP 2500 "saved top: 1000 twips + 100 px"
expect_reg "$settings" MEMLeft 4000 "saved left: 1000 twips + 200 px"

# Let go 2 px from the left edge: within 50 twips it sits flush.
drag $((WIN_X + 40)) $((WIN_Y + 20)) 42 $((WIN_Y + 20)) 6
wait_until 5 eval 'window_geometry; [[ $WIN_X,$WIN_Y == 0,167 ]]' ||
    fail "not snapped to the left edge: at $WIN_X,$WIN_Y"
expect_reg "$settings" MEMLeft 0 "saved left after the snap"

# The ring: a click switches to drive mode and the filled dot shows in its place.
mouse_move $((WIN_X + GAUGE_DOT_X)) $((WIN_Y + GAUGE_DOT_Y))
click 1
expect_reg "$settings" lblHDRAM.Caption HD "a click on the ring saves drive mode"
wait_until 3 eval 'screenshot dot; colour_near "$(window_pixel "$GAUGE_DOT_X" "$GAUGE_DOT_Y")" C8C8C8 16' ||
    fail "no filled dot after the switch: $(window_pixel "$GAUGE_DOT_X" "$GAUGE_DOT_Y")"

# A double-click on the dial empties the clipboard another program filled.
printf 'kopiert' | xclip -quiet -selection clipboard -i &
clip_pid=$!
track_pid "$clip_pid"
wait_until 3 eval '[[ $(clipboard_text) == kopiert ]]' ||
    fail "xclip did not fill the clipboard"
mouse_move $((WIN_X + 40)) $((WIN_Y + 20))
sleep 0.6
double_click 1
wait_until 5 eval '[[ -z $(clipboard_text) ]]' ||
    fail "the double-click left the clipboard holding '$(clipboard_text)'"
window_geometry
assert_eq "0,167 80x80" "$WIN_X,$WIN_Y ${WIN_W}x$WIN_H" "a double-click neither moves nor resizes"

# A right click: the 6800 x 2220-twip options view with square corners.
sleep 0.6
click 3
wait_until 3 eval 'window_geometry; [[ ${WIN_W}x$WIN_H == 453x148 ]]' ||
    fail "the options view is ${WIN_W}x$WIN_H"
screen_backdrop 3050A0
wait_until 5 eval 'screenshot options; colour_near "$(window_pixel 160 140)" C0C0C0 8' ||
    fail "the options view was not drawn: $(window_pixel 160 140) where the grey panel goes"
for corner in "1 1" "450 1" "1 145" "450 145"; do
    expect_inside $corner "square corner of the options view"
done
assert_ok "the black background left of the panel" colour_near "$(window_pixel 10 140)" 000000 8
convert "$SHOT_PNG" -crop "${WIN_W}x$WIN_H+$WIN_X+$WIN_Y" +repage "$E2E_ARTIFACTS/options-view.png"

close_app
assert_eq HD "$(reg_get "$settings" lblHDRAM.Caption)" "saved mode"
