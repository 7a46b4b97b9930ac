#!/usr/bin/env bash
# The two-monitor bench itself: Wine's programs see the second monitor where xrandr puts it,
# and see it go.
set -euo pipefail
# shellcheck source=lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

scenario_begin --two-monitors
monitor_layout 800x600 right-of
assert_eq "0,0 1024x768; 1024,0 800x600" "$MONITORS_SEEN" "second monitor right of the primary"
assert_eq "1824 768" "$E2E_SCREEN_W $E2E_SCREEN_H" "screen size"
monitor_layout off
assert_eq "0,0 1024x768" "$MONITORS_SEEN" "second monitor unplugged"
monitor_layout 800x600 below
assert_eq "0,0 1024x768; 0,768 800x600" "$MONITORS_SEEN" "second monitor below the primary"
monitor_layout 1024x768 left-of
assert_eq "0,0 1024x768; -1024,0 1024x768" "$MONITORS_SEEN" "second monitor left of the primary"
monitor_layout 1024x768 right-of
assert_eq "0,0 1024x768; 1024,0 1024x768" "$MONITORS_SEEN" "two monitors of one size"
# Screenshots cover both monitors.
screenshot both
assert_eq 000000 "$(pixel 2047 767)" "the second monitor's bottom right corner"
