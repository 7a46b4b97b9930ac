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
window_geometry

# Watch the sweep: each look finds the needle further clockwise, until it rests.
steps=()
GAUGE_LAST_STEP=-1
until needle_settled; do
    if ((NEEDLE_HITS == NEEDLE_SAMPLES)); then
        steps+=("$NEEDLE_STEP")
    fi
    ((${#steps[@]} < 40)) || fail "the needle never came to rest: ${steps[*]}"
done
note "needle seen at steps ${steps[*]}, resting at $NEEDLE_STEP, drive fill gives $expected"
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
turn=$(((NEEDLE_STEP - expected + 60) % 60))
((turn <= 1 || turn >= 59)) || fail "needle rests at step $NEEDLE_STEP, the drive says $expected"

# The filled dot: light grey right through its middle.
assert_ok "the filled dot" colour_near "$(window_pixel "$GAUGE_DOT_X" "$GAUGE_DOT_Y")" C8C8C8 16
close_app
assert_eq HD "$(reg_get "$E2E_SETTINGS_KEY\\Optionen" lblHDRAM.Caption)" "saved mode"
