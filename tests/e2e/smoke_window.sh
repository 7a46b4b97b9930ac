#!/usr/bin/env bash
# Dialvane.exe starts with no settings, shows its window at the first-start size, and draws the
# needle from the pivot to the tip.
set -euo pipefail
# shellcheck source=lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

scenario_begin
gauge_layout 1200
launch_app
wait_window Dialvane
window_geometry
note "window at $WIN_X,$WIN_Y, ${WIN_W}x$WIN_H"
assert_eq "${GAUGE_PX}x$GAUGE_PX" "${WIN_W}x$WIN_H" "window size in pixels"
expect_needle_settled
close_app
assert_eq 0 "$APP_STATUS" "exit status"
