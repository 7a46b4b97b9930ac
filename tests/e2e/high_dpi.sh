#!/usr/bin/env bash
# On a 120-dpi screen (12 twips a pixel) the largest instrument, 2500 twips, is 208 pixels: more
# than the 170-pixel corner ellipse, so its outline is a square with rounded corners.
set -euo pipefail
# shellcheck source=lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

scenario_begin
set_dpi 120
reg_set "$E2E_SETTINGS_KEY\\Optionen" txtHeight REG_SZ 2500
launch_app
wait_window Dialvane
window_geometry
assert_eq "208x208" "${WIN_W}x$WIN_H" "2500 twips at 12 twips a pixel"
wait_drawn
expect_outside 3 3 "the rounded corner"
expect_outside 15 30 "just outside the 85-pixel corner arc"
# Inside the corner's 85-pixel arc but outside the inscribed circle: a rounded square, not a circle.
expect_inside 10 50 "the side of the rounded square"
expect_inside 50 10 "the top of the rounded square"
expect_inside 104 2 "the top edge"
close_app
