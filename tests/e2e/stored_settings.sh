#!/usr/bin/env bash
# Start-up from settings a user could not have typed: a size that is not a number gives the
# 2220-twip circle, three monitors become two, a Top above the screen comes down to 100, an
# unreadable Top reads as 1000 and a Left past the screen's right edge comes back within it;
# 64 KiB texts and values of other types read as missing.
set -euo pipefail
# shellcheck source=lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

scenario_begin
settings="$E2E_SETTINGS_KEY\\Optionen"
reg_set "$settings" txtHeight REG_SZ abc
reg_set "$settings" Monis REG_SZ 3
reg_set "$settings" MEMTOP REG_SZ -1
reg_set "$settings" MEMLeft REG_SZ 5000
gauge_layout 2220
launch_app
wait_window Dialvane
window_geometry
# Top -1 -> 100 twips (7 px); Left 5000 twips (333 px) is well inside two screens.
assert_eq "148x148" "${WIN_W}x$WIN_H" "size of the 2220-twip instrument"
assert_eq "333,7" "$WIN_X,$WIN_Y" "place"
expect_needle_settled
for corner in "2 2" "145 2" "2 145" "145 145"; do
    expect_outside $corner "corner of the 148-pixel circle"
done
expect_inside 74 2 "top of the 148-pixel circle"
expect_outside 10 30 "just outside the 148-pixel circle"
close_app
assert_eq 2220 "$(reg_get "$settings" txtHeight)" "saved size"
assert_eq 2 "$(reg_get "$settings" Monis)" "saved monitor count"

# One monitor, a Left beyond its edge and an unreadable Top: 15360 - 1200 = 14160 twips (944 px).
reg_set "$settings" txtHeight REG_SZ 1200
reg_set "$settings" Monis REG_SZ 1
reg_set "$settings" MEMTOP REG_SZ zwei
reg_set "$settings" MEMLeft REG_SZ 18500
launch_app
wait_window Dialvane
window_geometry
assert_eq "944,67" "$WIN_X,$WIN_Y" "left held on the screen, top read as 1000"
close_app

# Texts of 65 536 digits and values of other types read as missing: the first-run gauge of
# 1200 twips at 1000, 1000, at once (a first paint takes about 0.3 s).
digits=$(printf '9%.0s' {1..65536})
reg_delete_key "$E2E_SETTINGS_KEY"
reg_import <<REG
[HKEY_CURRENT_USER\\Software\\MEM\\Optionen]
"txtHeight"="$digits"
"Monis"="$digits"
"MEMTOP"=dword:00000064
"MEMLeft"=hex(7):35,00,30,00,30,00,00,00,00,00
"lblHDRAM.Caption"=hex(2):48,00,44,00,00,00
REG
launch_app
wait_window Dialvane 3
window_geometry
assert_eq "80x80 at 67,67" "${WIN_W}x$WIN_H at $WIN_X,$WIN_Y" "the first-run gauge"
screenshot long_values
close_app
assert_eq 1200 "$(reg_get "$settings" txtHeight)" "saved size"
assert_eq RAM "$(reg_get "$settings" lblHDRAM.Caption)" "saved mode"
