#!/usr/bin/env bash
# The session and the Wine-side helpers, driven with Wine's own Notepad: registry reads and
# writes, DPI, screenshots, and a program's launch, window and graceful close.
set -euo pipefail
# shellcheck source=lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

KEY='HKCU\Software\MEM\HarnessCheck'

check_registry() {
    ! reg_get "$KEY" text >/dev/null || fail "a value in a missing key was found"
    reg_set "$KEY" text REG_SZ 'two  spaces and 1,5'
    assert_eq 'two  spaces and 1,5' "$(reg_get "$KEY" text)" "text value"
    reg_set "$KEY" empty REG_SZ ''
    local empty
    empty=$(reg_get "$KEY" empty) || fail "an empty value reads as missing"
    assert_eq '' "$empty" "empty value"
    ! reg_get "$KEY" absent >/dev/null || fail "a missing value was found"
    reg_set "$KEY" number REG_DWORD 4660
    assert_eq 4660 "$(reg_get "$KEY" number)" "DWORD value"
    reg_delete_value "$KEY" text
    ! reg_has "$KEY" text || fail "deleted value is still there"
    reg_has "$KEY" number || fail "deleting one value removed another"
    reg_delete_key "$KEY"
    ! reg_has_key "$KEY" || fail "deleted key is still there"
    reg_delete_key "$KEY"
}

check_dpi() {
    set_dpi 120
    assert_eq 120 "$(reg_get 'HKCU\Control Panel\Desktop' LogPixels)" "LogPixels after set_dpi"
    reset_dpi
    ! reg_has 'HKCU\Control Panel\Desktop' LogPixels || fail "reset_dpi left LogPixels"
}

check_program() {
    launch_app "$WINEPREFIX/drive_c/windows/system32/notepad.exe"
    wait_window 'Untitled - Notepad'
    window_geometry
    assert_between 100 "$E2E_SCREEN_W" "$WIN_W" "Notepad width"
    assert_between 100 "$E2E_SCREEN_H" "$WIN_H" "Notepad height"
    xdotool search --pid "$APP_PID" | grep -qx "$WIN_ID" ||
        fail "window $WIN_ID does not belong to process $APP_PID"
    wait_drawn notepad
    # Notepad's edit area is white; the bare Xvfb root is black.
    local white
    white=$(count_colour_in_rect "$WIN_X" "$WIN_Y" "$WIN_W" "$WIN_H" FFFFFF)
    assert_between $((WIN_W * WIN_H / 4)) $((WIN_W * WIN_H)) "$white" "white pixels in Notepad"
    local corner_x=$((E2E_SCREEN_W - 3)) corner_y=$((E2E_SCREEN_H - 3))
    ((WIN_X + WIN_W < corner_x || WIN_Y + WIN_H < corner_y)) || fail "Notepad covers the screen"
    assert_eq 000000 "$(pixel "$corner_x" "$corner_y")" "bare root window beside Notepad"
    close_app
    assert_eq 0 "$APP_STATUS" "Notepad exit status"
    [[ -z $(find_windows 'Untitled - Notepad') ]] || fail "Notepad window still shown"
}

scenario_begin
check_registry
check_dpi
check_program
