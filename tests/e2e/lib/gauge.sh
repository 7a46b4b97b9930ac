# shellcheck shell=bash
# What the instrument looks like on screen, worked out from its size, to check screenshots.

# gauge_layout SIZE_TWIPS [TWIPS_PER_PIXEL]: sets GAUGE_PX (window side), GAUGE_PIVOT (pivot
# x and y in the window), GAUGE_NEEDLE_PX (needle length) and GAUGE_DOT_X/Y (the mode dot's
# middle), all window pixels; the needle is 825/2220 of the size long.
gauge_layout() {
    local size=$1 tpp=${2:-15}
    GAUGE_PX=$(awk -v s="$size" -v t="$tpp" 'BEGIN { printf "%d", s / t + 0.5 }')
    GAUGE_PIVOT=$(awk -v s="$size" -v t="$tpp" 'BEGIN { print s / 2 / t }')
    GAUGE_NEEDLE_PX=$(awk -v s="$size" -v t="$tpp" 'BEGIN { print s * 825 / 2220 / t }')
    # The dot sits round(size / 3.5) twips below the pivot.
    GAUGE_DOT_X=$(awk -v s="$size" -v t="$tpp" 'BEGIN { printf "%d", s / 2 / t + 0.5 }')
    GAUGE_DOT_Y=$(awk -v s="$size" -v t="$tpp" 'BEGIN { printf "%d", (s / 2 + int(s / 3.5 + 0.5)) / t + 0.5 }')
    # The mode label (540 x 225 twips, round(size / 6) below the pivot) and the reading label
    # (765 x 315, its bottom edge on the pivot) lie over the needle, a pixel to spare round each;
    # their grey text may hide it there.
    NEEDLE_COVERED=$(awk -v s="$size" -v t="$tpp" 'BEGIN {
        c = s / 2; off = int(s / 6 + 0.5)
        printf "%d %d %d %d;", (c - 270) / t - 1, (c + off - 112.5) / t - 1, 540 / t + 2, 225 / t + 2
        printf "%d %d %d %d", (c - 382.5) / t - 1, (c - 315) / t - 1, 765 / t + 2, 315 / t + 2
    }')
    export GAUGE_PX GAUGE_PIVOT GAUGE_NEEDLE_PX GAUGE_DOT_X GAUGE_DOT_Y NEEDLE_COVERED
}

# The hub picture is 16 px across at 96 dpi; labels never reach past it.
GAUGE_HUB_RADIUS=9

# needle_settled: true once two looks in a row find a complete needle at most one step apart.
# The sweep moves it many steps between two looks; at rest it shows the machine's memory load,
# which the builds beside the tests move by a step now and then.
GAUGE_LAST_STEP=-1
needle_settled() {
    screenshot window
    needle_find "$GAUGE_PIVOT" "$GAUGE_PIVOT" "$GAUGE_NEEDLE_PX" "$GAUGE_HUB_RADIUS"
    local previous=$GAUGE_LAST_STEP
    GAUGE_LAST_STEP=-1
    ((NEEDLE_HITS == NEEDLE_SAMPLES && NEEDLE_SAMPLES >= 6)) || return 1
    GAUGE_LAST_STEP=$NEEDLE_STEP
    local turn=$(((NEEDLE_STEP - previous + 60) % 60))
    ((previous >= 0 && (turn <= 1 || turn >= 59)))
}

# expect_needle_settled: waits for the needle to come to rest and checks it is one clean line.
expect_needle_settled() {
    GAUGE_LAST_STEP=-1
    wait_until 15 needle_settled ||
        fail "no settled needle: best step $NEEDLE_STEP with $NEEDLE_HITS of $NEEDLE_SAMPLES red"
    note "needle at step $NEEDLE_STEP: $NEEDLE_HITS of $NEEDLE_SAMPLES samples red"
    assert_eq 0 "$NEEDLE_BEYOND" "red samples past the needle tip"
    assert_eq 0 "$NEEDLE_STRAY" "red pixels off the needle line"
}

# The screen behind every window is black unless screen_backdrop changed it; the window's
# outline shows where it stops.
is_screen() {
    [[ $(window_pixel "$1" "$2") == "$(cat "$E2E_SESSION_DIR/backdrop" 2>/dev/null || echo 000000)" ]]
}

# expect_outside X Y WHAT / expect_inside X Y WHAT: window pixels cut away or shown.
expect_outside() {
    is_screen "$1" "$2" || fail "$3: pixel $1,$2 should be cut away, is $(window_pixel "$1" "$2")"
}
expect_inside() {
    ! is_screen "$1" "$2" || fail "$3: pixel $1,$2 should belong to the window"
}

# colour_near RRGGBB RRGGBB TOLERANCE: every channel within TOLERANCE.
colour_near() {
    local a=$1 b=$2 tol=$3 i
    for i in 0 2 4; do
        local x=$((16#${a:i:2})) y=$((16#${b:i:2}))
        (((x > y ? x - y : y - x) <= tol)) || return 1
    done
}

# drive_fill_step: the needle step for how full the prefix's drive C: is, the way the gauge
# maps it (readings above 60 % take less of the dial).
drive_fill_step() {
    local blocks available
    read -r blocks available < <(stat -f -c '%b %a' "$WINEPREFIX/drive_c")
    awk -v b="$blocks" -v a="$available" 'BEGIN {
        v = (b - a) / b * 100
        if (v > 60) v = (v - 60) * 0.6 + 60
        p = (v - 41.66) / 100 * 60 - 60
        s = int(p + (p < 0 ? -0.5 : 0.5))
        print ((s % 60) + 60) % 60
    }'
}

# gauge_tip: the gauge's tooltip as the program answers for it: TIP_SHOWN (1 or 0; empty while
# the program has made none), TIP_RECT (left top right bottom, screen pixels) and TIP_TEXT.
gauge_tip() {
    local line rect
    line=$(beside_program accessibility_probe.exe tip) || fail "accessibility_probe tip failed"
    IFS='|' read -r TIP_SHOWN rect TIP_TEXT <<<"$line"
    TIP_RECT=${rect//,/ }
}

# tip_drawn NAME: a screenshot NAME in which the tooltip last read is painted where Win32 has
# it: inside its edge, mostly one colour that is not the screen's, with text on it.
tip_drawn() {
    wait_until 5 tip_painted "$1" || fail "the tooltip at $TIP_RECT was not drawn (see $1.png)"
}
tip_painted() {
    local left top right bottom
    read -r left top right bottom <<<"$TIP_RECT"
    local w=$((right - left - 4)) h=$((bottom - top - 4)) background filled
    screenshot "$1"
    background=$(pixel $((right - 3)) $((top + 2)))
    [[ $background != "$(cat "$E2E_SESSION_DIR/backdrop" 2>/dev/null || echo 000000)" ]] || return 1
    filled=$(count_colour_in_rect $((left + 2)) $((top + 2)) "$w" "$h" "$background")
    ((filled * 2 >= w * h && filled < w * h))
}
