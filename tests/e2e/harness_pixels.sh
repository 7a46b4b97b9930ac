#!/usr/bin/env bash
# The pixel readers against a picture drawn with known shapes; needs no display.
set -euo pipefail
# shellcheck source=lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

E2E_SCENARIO_TMP=$(mktemp -d)
export E2E_ARTIFACTS=$E2E_SCENARIO_TMP
trap 'rm -rf -- "$E2E_SCENARIO_TMP"' EXIT

# A grey screen; a 10x10 red square at 100,50; a 6x4 blue-ish block at 300,200; corner marks;
# a horizontal 4-px red band from 400 to 599 on rows 600..603.
draw_picture() {
    convert -size "${E2E_SCREEN_W}x$E2E_SCREEN_H" xc:'#282828' +antialias \
        -fill '#FF0000' -draw 'rectangle 100,50 109,59' \
        -fill '#1020F0' -draw 'rectangle 300,200 305,203' \
        -fill '#0A0B0C' -draw 'point 0,0' \
        -fill '#FEDCBA' -draw "point $((E2E_SCREEN_W - 1)),$((E2E_SCREEN_H - 1))" \
        -fill '#E01010' -draw 'rectangle 400,600 599,603' \
        "$1"
}

check_single_pixels() {
    assert_eq 0A0B0C "$(pixel 0 0)" "top left corner"
    assert_eq FEDCBA "$(pixel $((E2E_SCREEN_W - 1)) $((E2E_SCREEN_H - 1)))" "bottom right corner"
    assert_eq FF0000 "$(pixel 100 50)" "red square, first pixel"
    assert_eq FF0000 "$(pixel 109 59)" "red square, last pixel"
    assert_eq 282828 "$(pixel 110 59)" "right of the red square"
    assert_eq 282828 "$(pixel 100 60)" "below the red square"
    # shellcheck disable=SC2034  # the window origin that window_pixel reads
    WIN_X=300 WIN_Y=200
    assert_eq 1020F0 "$(window_pixel 5 3)" "window-relative read"
}

check_colour_predicates() {
    assert_ok "pure red is reddish" is_reddish FF0000
    assert_ok "a darker needle red is reddish" is_reddish E01010
    ! is_reddish 282828 || fail "grey counted as reddish"
    ! is_reddish FF8080 || fail "pink counted as reddish"
    ! is_reddish FFFF00 || fail "yellow counted as reddish"
}

check_counts() {
    assert_eq 100 "$(count_colour_in_rect 100 50 10 10 FF0000)" "whole red square"
    assert_eq 100 "$(count_colour_in_rect 90 40 30 30 FF0000)" "red square inside a larger rect"
    assert_eq 25 "$(count_colour_in_rect 105 55 20 20 FF0000)" "a corner of the red square"
    assert_eq 24 "$(count_colour_in_rect 300 200 6 4 1020F0)" "exact blue block"
    assert_eq 0 "$(count_colour_in_rect 300 200 6 4 1424F4)" "near blue without tolerance"
    assert_eq 24 "$(count_colour_in_rect 300 200 6 4 1424F4 4)" "near blue within 4"
    assert_eq 100 "$(count_colour_in_rect 90 40 30 30 reddish)" "reddish square"
    assert_eq 800 "$(count_colour_in_rect 400 600 200 4 reddish)" "reddish band"
    assert_eq 0 "$(count_colour_in_rect 400 600 200 4 FF0000)" "band is not pure red"
    assert_eq $((E2E_SCREEN_W - 1)) "$(count_colour_in_rect 0 0 "$E2E_SCREEN_W" 1 282828)" \
        "top row without its corner mark"
}

check_segments() {
    assert_eq 12 "$(count_reddish_along 400 601 599 602 12)" "along the red band"
    assert_eq 0 "$(count_reddish_along 400 610 599 610 12)" "just below the red band"
    # Samples at x = 300 340 380 420 460 500 539 579 619 659 699; five fall in 400..599.
    assert_eq 5 "$(count_reddish_along 300 601 699 601 11)" "partly across the band"
}

check_bounds() {
    if (pixel "$E2E_SCREEN_W" 0) 2>/dev/null; then
        fail "a read right of the screen passed"
    fi
    if (count_colour_in_rect 1000 700 30 10 reddish) 2>/dev/null; then
        fail "a rect past the screen edge passed"
    fi
}

# A real 80-px gauge at 5 %: the mode label's "R" lies over the needle's outer half.
check_needle_under_a_label() {
    convert -size "${E2E_SCREEN_W}x$E2E_SCREEN_H" xc:black \
        "$(dirname "${BASH_SOURCE[0]}")/fixtures/needle-under-label.png" -geometry +67+67 \
        -composite "$E2E_SCENARIO_TMP/gauge.png"
    load_shot "$E2E_SCENARIO_TMP/gauge.png"
    gauge_layout 1200
    # shellcheck disable=SC2034  # the window that needle_find reads
    WIN_X=67 WIN_Y=67 WIN_W=80 WIN_H=80
    needle_find "$GAUGE_PIVOT" "$GAUGE_PIVOT" "$GAUGE_NEEDLE_PX" "$GAUGE_HUB_RADIUS"
    assert_eq 38 "$NEEDLE_STEP" "step of the needle under the label"
    assert_eq "$NEEDLE_SAMPLES" "$NEEDLE_HITS" "every sample the label leaves free is red"
    ((NEEDLE_SAMPLES >= 6 && NEEDLE_SAMPLES < 12)) || fail "$NEEDLE_SAMPLES samples left free"
    NEEDLE_COVERED="" needle_find "$GAUGE_PIVOT" "$GAUGE_PIVOT" "$GAUGE_NEEDLE_PX" 9
    ((NEEDLE_HITS < NEEDLE_SAMPLES)) || fail "the label should hide part of the needle"
}

draw_picture "$E2E_SCENARIO_TMP/picture.png"
load_shot "$E2E_SCENARIO_TMP/picture.png"
check_single_pixels
check_colour_predicates
check_counts
check_segments
check_bounds
check_needle_under_a_label
printf 'harness_pixels passed\n'
