#!/usr/bin/env bash
# Dialvane.exe starts with no settings, shows its window at the first-start size, and draws the
# needle from the pivot to the tip.
set -euo pipefail
# shellcheck source=lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

# A first start is 1200 twips square; 96 dpi is 15 twips a pixel.
readonly TWIPS_PER_PIXEL=15
readonly SIZE_TWIPS=1200
# The layout puts the pivot in the middle and makes the needle 825/2220 of the size long.
readonly PIVOT_PX=$((SIZE_TWIPS / 2 / TWIPS_PER_PIXEL))
NEEDLE_PX=$(awk -v s="$SIZE_TWIPS" -v t="$TWIPS_PER_PIXEL" 'BEGIN { print s * 825 / 2220 / t }')
readonly NEEDLE_PX
# The hub picture is 16 px across.
readonly HUB_RADIUS_PX=9

# The needle sweeps up to the reading first; it is settled when two looks agree.
E2E_LAST_STEP=-1
needle_settled() {
    screenshot window
    needle_find "$PIVOT_PX" "$PIVOT_PX" "$NEEDLE_PX" "$HUB_RADIUS_PX"
    local previous=$E2E_LAST_STEP
    E2E_LAST_STEP=$NEEDLE_STEP
    ((NEEDLE_STEP == previous && NEEDLE_HITS == NEEDLE_SAMPLES)) && return 0
    sleep 0.2
    return 1
}

scenario_begin
launch_app
wait_window Dialvane
window_geometry
note "window at $WIN_X,$WIN_Y, ${WIN_W}x$WIN_H"
size_px=$((SIZE_TWIPS / TWIPS_PER_PIXEL))
assert_eq "${size_px}x$size_px" "${WIN_W}x$WIN_H" "window size in pixels"

wait_until 15 needle_settled ||
    fail "no settled needle: best step $NEEDLE_STEP with $NEEDLE_HITS of $NEEDLE_SAMPLES red"
note "needle at step $NEEDLE_STEP: $NEEDLE_HITS of $NEEDLE_SAMPLES samples red"
assert_eq 0 "$NEEDLE_BEYOND" "red samples past the needle tip"
assert_eq 0 "$NEEDLE_STRAY" "red pixels off the needle line"
close_app
assert_eq 0 "$APP_STATUS" "exit status"
