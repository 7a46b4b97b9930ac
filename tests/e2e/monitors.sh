#!/usr/bin/env bash
# Two monitors: the gauge is dragged across onto the second, snaps and is held back there as on
# one; below a shorter second monitor it is pulled up onto it; when its monitor is unplugged it
# goes onto the primary and back when it is plugged in again; started while its monitor is
# unplugged it shows on the primary, and the saved place stays.
set -euo pipefail
# shellcheck source=lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

KEY="$E2E_SETTINGS_KEY\\Optionen"
_at() {
    window_geometry
    [[ $WIN_X,$WIN_Y == "$1" ]]
}
# expect_at X,Y WHAT: the window gets there within 3 s; says how long it took.
expect_at() {
    local since
    since=$(now_ms)
    wait_until 3 _at "$1" || fail "$2: at $WIN_X,$WIN_Y, not $1"
    note "$2: at $1 after $(($(now_ms) - since)) ms"
}
# drag_window DX DY: takes the dial above the hub, 20 px below its top.
drag_window() {
    window_geometry
    drag $((WIN_X + 40)) $((WIN_Y + 20)) $((WIN_X + 40 + $1)) $((WIN_Y + 20 + $2)) 8
}
saved_place() {
    printf '%s,%s' "$(reg_get "$KEY" MEMLeft)" "$(reg_get "$KEY" MEMTOP)"
}

scenario_begin --two-monitors
monitor_layout 1024x768 right-of
reg_set "$KEY" Monis REG_SZ 2
reg_set "$KEY" MEMLeft REG_SZ 1005
reg_set "$KEY" MEMTOP REG_SZ 1005
launch_app
wait_window Dialvane
expect_at 67,67 "started"

# Across onto the second monitor; its top edge snaps; the bottom one is the primary's.
drag_window 1233 0
expect_at 1300,67 "dragged onto the second monitor"
expect_reg "$KEY" MEMLeft 19500 "saved on the second monitor"
drag_window 0 -65
expect_at 1300,0 "snapped to the top edge"
drag_window 0 686
expect_at 1300,688 "snapped to the bottom edge"
# Beyond the right edge of both, then pulled back on release (the pointer stops at 2047).
drag_window 800 -300
expect_at 1968,388 "held inside two monitors"
expect_reg "$KEY" MEMLeft 30105 "saved where it was let go"

# The second monitor shrinks: the gauge lies beyond it and comes onto it.
monitor_layout 800x600 right-of
expect_at 1744,388 "onto the shorter second monitor"
drag_window -100 -300
expect_at 1644,88 "up on the shorter monitor"
# Held near its top, dragged to the bottom: the pointer stops at 599.
drag_window 0 600
expect_at 1644,520 "pulled up onto the shorter monitor"
expect_reg "$KEY" MEMTOP 8685 "saved where it was let go"
# Drawn there, in a screenshot of both monitors.
wait_drawn bottom_of_the_shorter_monitor
said_place=$(saved_place)

# Unplugged and plugged in again while it runs.
monitor_layout off
expect_at 944,520 "its monitor unplugged"
screenshot on_the_primary
monitor_layout 800x600 right-of
expect_at 1644,520 "its monitor back"
assert_eq "$said_place" "$(saved_place)" "saved place while its monitor came and went"
close_app

# Started while its monitor is unplugged, from the place saved where it was let go.
monitor_layout off
launch_app
wait_window Dialvane
expect_at 944,579 "started without its monitor"
wait_drawn started_without_its_monitor
close_app
assert_eq "$said_place" "$(saved_place)" "saved place after a run without its monitor"
