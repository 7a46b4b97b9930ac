#!/usr/bin/env bash
# In drive mode the filled dot shows instead of the ring, and the needle sweeps up from the
# bottom of the scale to how full drive C: is.
set -euo pipefail
# shellcheck source=lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

scenario_begin
reg_set "$E2E_SETTINGS_KEY\\Optionen" lblHDRAM.Caption REG_SZ HD
gauge_layout 1200
expected=$(drive_fill_step)
launch_app
wait_window Dialvane
# The sweep (about 1 s at 20 %, 2 s at 70 %) is watched with the program stopped during each
# look, so slow looks on a busy machine see it step by step all the same.
pause_app
window_geometry

# Watch the sweep: each look finds the needle further clockwise, until it rests.
# A stalled timer must not pass for the needle at rest, so rest means steady on the drive's step.
near_expected() {
    local turn=$(((NEEDLE_STEP - expected + 60) % 60))
    ((turn <= 1 || turn >= 59))
}
steps=()
previous=-1
rested=0
for ((look = 0; look < 60; look++)); do
    screenshot window
    needle_find "$GAUGE_PIVOT" "$GAUGE_PIVOT" "$GAUGE_NEEDLE_PX" "$GAUGE_HUB_RADIUS"
    if ((NEEDLE_HITS == NEEDLE_SAMPLES)); then
        steps+=("$NEEDLE_STEP")
        ((NEEDLE_STEP == previous)) && near_expected && rested=1 && break
        previous=$NEEDLE_STEP
    fi
    run_app_for 0.2
done
resume_app
((rested)) ||
    fail "the needle did not come to rest at step $expected: seen at ${steps[*]}"
note "needle seen at steps ${steps[*]}, resting at $NEEDLE_STEP, drive fill gives $expected"
assert_eq 0 "$NEEDLE_STRAY" "red pixels off the needle line"
distinct=$(printf '%s\n' "${steps[@]}" | sort -u | wc -l)
((distinct >= 3)) || fail "the needle did not sweep: ${steps[*]}"
# The sweep itself never compresses, so above 60 % the needle may settle a little back from
# where the sweep left it; only the sweep has to go one way.
while ((${#steps[@]} > 0)) && ((steps[-1] == NEEDLE_STEP)); do
    unset 'steps[-1]'
done
for ((i = 1; i < ${#steps[@]}; i++)); do
    turn=$(((steps[i] - steps[i - 1] + 60) % 60))
    ((turn < 30)) || fail "the needle turned back: ${steps[*]}"
done

# The filled dot: light grey right through its middle.
assert_ok "the filled dot" colour_near "$(window_pixel "$GAUGE_DOT_X" "$GAUGE_DOT_Y")" C8C8C8 16
close_app
assert_eq HD "$(reg_get "$E2E_SETTINGS_KEY\\Optionen" lblHDRAM.Caption)" "saved mode"
