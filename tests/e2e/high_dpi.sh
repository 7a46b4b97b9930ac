#!/usr/bin/env bash
# On a 120-dpi screen (12 twips a pixel) the largest instrument, 2500 twips, is 208 pixels: more
# than the 170-pixel corner ellipse, so its outline is a square with rounded corners.
# The gauge of 2220 twips at 96 and at 144 dpi (screenshots gauge-96dpi.png, gauge-144dpi.png):
# 148 and 222 pixels, each drawn at its scale, its needle one clean line.
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

for dpi in 96 144; do
    set_dpi "$dpi"
    reg_set "$E2E_SETTINGS_KEY\\Optionen" txtHeight REG_SZ 2220
    launch_app
    wait_window Dialvane
    window_geometry
    tpp=$((1440 / dpi))
    gauge_layout 2220 "$tpp"
    assert_eq "${GAUGE_PX}x$GAUGE_PX" "${WIN_W}x$WIN_H" "2220 twips at $tpp twips a pixel"
    wait_drawn "screen-${dpi}dpi"
    expect_outside 3 3 "the corner at $dpi dpi"
    expect_inside $((WIN_W / 2)) 2 "the top edge at $dpi dpi"
    if ((dpi == 96)); then
        expect_outside 8 30 "beside the circle at 96 dpi"
    else
        # One DPI on the whole desktop: the 170-pixel corner holds at 144 dpi as at 120.
        expect_inside 10 50 "the side of the rounded square at 144 dpi"
    fi
    expect_needle_settled
    convert "$SHOT_PNG" -crop "${WIN_W}x$WIN_H+$WIN_X+$WIN_Y" +repage \
        "$E2E_ARTIFACTS/gauge-${dpi}dpi.png" || fail "no picture of the gauge at $dpi dpi"
    close_app
done
