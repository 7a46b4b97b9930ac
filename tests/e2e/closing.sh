#!/usr/bin/env bash
# However the window is closed, size, monitor count and mode are saved: a close message from
# another program, Alt+F4, and the end of the session, also while the options are open with a
# size typed but not applied: that typed size is what is saved. Keys and the clipboard at the
# round gauge, where the size box lies beyond the edge, change nothing that is saved.
set -euo pipefail
# shellcheck source=lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

scenario_begin
settings="$E2E_SETTINGS_KEY\\Optionen"

expect_saved() {
    assert_eq "${2:-2500}" "$(reg_get "$settings" txtHeight)" "$1: saved size"
    assert_eq 2 "$(reg_get "$settings" Monis)" "$1: saved monitor count"
    assert_eq HD "$(reg_get "$settings" lblHDRAM.Caption)" "$1: saved mode"
}

start_with_settings() {
    reg_delete_key "$E2E_SETTINGS_KEY"
    reg_set "$settings" txtHeight REG_SZ 4000
    reg_set "$settings" Monis REG_SZ 7
    reg_set "$settings" lblHDRAM.Caption REG_SZ HD
    launch_app
    wait_window Dialvane
    window_geometry
}

start_with_settings
# The gauge clicked, as to drag it, then typing and pasting meant for another program: the
# size box with the focus takes none of it. Shift+F10 comes after them, so once the options
# are open the box has been given every key.
printf 7 | xclip -quiet -selection clipboard -i &
track_pid $!
wait_until 3 eval '[[ $(clipboard_text) == 7 ]]' || fail "xclip did not fill the clipboard"
pointer_to_window
click 1
xdotool type --delay 30 5
xdotool key BackSpace Delete ctrl+v shift+Insert ctrl+x ctrl+z shift+F10
release_keys
wait_until 3 gauge_size 453x148 || fail "Shift+F10 left the gauge at ${WIN_W}x$WIN_H"
box_texts | grep -qx 2500 || fail "the size box holds $(box_texts | tr '\n' ' ')"
close_app
expect_saved "close message, after keys at the round gauge"

start_with_settings
pointer_to_window
xdotool key alt+F4
wait_exit 10 || fail "Alt+F4 did not close the window"
expect_saved "Alt+F4"

start_with_settings
wine wineboot --end-session </dev/null >/dev/null 2>&1 || true
wait_exit 10 || fail "the program outlived the end of the session"
expect_saved "end of session"

start_with_settings
open_options
type_size 1700
# The end of the session is sent past the keys still queued: wait until the box holds them all.
wait_until 10 eval 'box_texts | grep -x 1700 >/dev/null' ||
    fail "the size box holds $(box_texts | tr '\n' ' '), not 1700"
screenshot typed_not_applied
gauge_size 453x148 || fail "the typed size was applied: ${WIN_W}x$WIN_H"
wine wineboot --end-session </dev/null >/dev/null 2>&1 || true
wait_exit 10 || fail "the program outlived the end of the session"
expect_saved "end of session, options open" 1700
