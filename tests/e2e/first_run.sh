#!/usr/bin/env bash
# A first start: the round 1200-twip instrument at Top 1000, Left 1000 in memory mode, with the
# dial, hub and ring where the layout puts them; F12 calls it to the top right corner; closing
# it saves size, monitor count and mode, but not the position.
set -euo pipefail
# shellcheck source=lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

scenario_begin
gauge_layout 1200
launch_app
wait_window Dialvane
window_geometry
assert_eq "67,67 80x80" "$WIN_X,$WIN_Y ${WIN_W}x$WIN_H" "place and size (1000 and 1200 twips)"
expect_needle_settled

# A circle: the corners are cut away, the middle of each edge is not.
for corner in "1 1" "78 1" "1 78" "78 78"; do
    expect_outside $corner "corner of the round outline"
done
for edge in "40 1" "1 40" "78 40" "40 78"; do
    expect_inside $edge "edge of the round outline"
done

# The dial: a light face, pale green low on the scale, pale red high on it.
face=$(window_pixel 40 12)
assert_ok "the dial's face, $face" colour_near "$face" E6E6E2 12
green=$(count_colour_in_rect $((WIN_X + 10)) $((WIN_Y + 46)) 8 8 B2DEAA 24)
red=$(count_colour_in_rect $((WIN_X + 58)) $((WIN_Y + 56)) 8 6 F3AAA3 24)
note "green sector $green of 64 pixels, red sector $red of 48"
((green >= 20)) || fail "no green sector lower left ($green pixels)"
((red >= 15)) || fail "no red sector lower right ($red pixels)"
# The hub covers the pivot.
assert_ok "the hub at the pivot" colour_near "$(window_pixel 40 40)" F2816E 30
# The ring shows the face through its middle: the filled dot is hidden.
assert_ok "the ring's edge" colour_near "$(window_pixel "$GAUGE_DOT_X" $((GAUGE_DOT_Y - 6)))" A9A9A9 40
assert_ok "the ring's hollow middle" colour_near "$(window_pixel "$GAUGE_DOT_X" "$GAUGE_DOT_Y")" "$face" 12

# F12 held across a poll: 1024 px screen - 80 px window x 1.05 = 940.
pointer_to_window
key_hold F12
wait_until 3 eval 'window_geometry; [[ $WIN_X,$WIN_Y == 940,0 ]]' ||
    fail "F12 left the window at $WIN_X,$WIN_Y"

close_app
assert_eq 0 "$APP_STATUS" "exit status"
assert_eq 1200 "$(reg_get "$E2E_SETTINGS_KEY\\Optionen" txtHeight)" "saved size"
assert_eq 1 "$(reg_get "$E2E_SETTINGS_KEY\\Optionen" Monis)" "saved monitor count"
assert_eq RAM "$(reg_get "$E2E_SETTINGS_KEY\\Optionen" lblHDRAM.Caption)" "saved mode"
! reg_has "$E2E_SETTINGS_KEY\\Optionen" MEMTOP || fail "the position is saved only by a mouse release"
