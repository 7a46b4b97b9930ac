#!/usr/bin/env bash
# The setup program installs Dialvane for the current user without asking for administrator
# rights, with the "Apps & features" entry its winget manifest names; the installed gauge runs;
# the uninstaller ends it gently, removes what was installed and the autostart value that
# starts it, and keeps the settings unless "Einstellungen entfernen" is ticked (and then other
# programs' keys under MEM). An earlier install for all users stays, but no longer autostarts.
# An update over an older version keeps the settings and the autostart value, leaves one entry
# and starts again the gauge it closed; gauges started from elsewhere run on. Installed at a
# drive's root, the autostart value goes with the uninstall.
set -euo pipefail
# shellcheck source=../e2e/lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib/harness.sh"

[[ -f ${DIALVANE_SETUP:-} ]] || fail "no setup program at '${DIALVANE_SETUP:-}'"
[[ -n ${DIALVANE_VERSION:-} ]] || fail "DIALVANE_VERSION is not set"
[[ -f ${DIALVANE_SETTINGS:-} ]] || fail "no release settings at '${DIALVANE_SETTINGS:-}'"
[[ -d ${DIALVANE_MANIFESTS:-} ]] || fail "no manifests at '${DIALVANE_MANIFESTS:-}'"
packaging=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../packaging" && pwd)
scenario_begin

# The user's folders, as Windows and as this side name them.
user_folder() {
    local path
    path=$(wine cmd /c echo "%$1%" </dev/null 2>/dev/null) || fail "no %$1%"
    printf '%s\n' "${path%$'\r'}"
}
local_appdata=$(user_folder LOCALAPPDATA)
appdata=$(user_folder APPDATA)
win_folder="$local_appdata\\Programs\\Dialvane"
folder=$(winepath -u "$win_folder")
shortcut=$(winepath -u "$appdata\\Microsoft\\Windows\\Start Menu\\Programs\\Dialvane.lnk")
entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dialvane'
machine_entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dialvane'
run='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
settings="$E2E_SETTINGS_KEY\\Optionen"

# Away from the install folder, which the uninstaller removes.
in_drive_c() {
    (cd "$WINEPREFIX/drive_c" && exec "$@") </dev/null >>"$E2E_ARTIFACTS/setup.log" 2>&1
}

# install [SETUP [ARGUMENTS...]]: the setup program, silently.
install() {
    local setup=${1:-$DIALVANE_SETUP} started status=0
    (($# == 0)) || shift
    started=$(now_ms)
    in_drive_c timeout 90 wine "$setup" /S "$@" || status=$?
    assert_eq 0 "$status" "setup exit status"
    note "installed in $(($(now_ms) - started)) ms"
}

expect_installed() {
    local file
    # Neither asks for administrator rights.
    for file in "$DIALVANE_SETUP" "$folder/Uninstall.exe"; do
        grep -qaF 'requestedExecutionLevel level="asInvoker"' "$file" ||
            fail "$(basename "$file") asks for elevation"
    done
    for file in Dialvane.exe README.txt LICENSE Uninstall.exe; do
        [[ -f $folder/$file ]] || fail "$file is not in $folder"
    done
    cmp -s "$DIALVANE_EXE" "$folder/Dialvane.exe" || fail "the installed program is not the built one"
    [[ -f $shortcut ]] || fail "no Start-menu shortcut $shortcut"
    grep -qaF "$win_folder\\Dialvane.exe" "$shortcut" ||
        fail "the shortcut does not lead to the installed program"
    assert_eq Dialvane "$(reg_get "$entry" DisplayName)" "DisplayName"
    assert_eq "$DIALVANE_VERSION" "$(reg_get "$entry" DisplayVersion)" "DisplayVersion"
    assert_eq 'Dialvane developers' "$(reg_get "$entry" Publisher)" "Publisher"
    assert_eq "$win_folder\\Dialvane.exe,0" "$(reg_get "$entry" DisplayIcon)" "DisplayIcon"
    assert_eq "\"$win_folder\\Uninstall.exe\"" "$(reg_get "$entry" UninstallString)" \
        "UninstallString"
    assert_eq "$win_folder" "$(reg_get "$entry" InstallLocation)" "InstallLocation"
    assert_eq 1 "$(reg_get "$entry" NoModify)" "NoModify"
    assert_eq 1 "$(reg_get "$entry" NoRepair)" "NoRepair"
    local kib=$(($(stat -c %s "$folder/Dialvane.exe") / 1024))
    assert_between "$kib" $((kib + 512)) "$(reg_get "$entry" EstimatedSize)" "EstimatedSize (KiB)"
    expect_manifest_entry
}

# winget finds the installed package by the entry its installer manifest names.
expect_manifest_entry() {
    local arp key name
    arp=$(find "$DIALVANE_MANIFESTS/winget" -name '*.installer.yaml' -exec yq -c \
        '.Installers[] | select(.InstallerType == "nullsoft")' {} +)
    key=$(jq -r .ProductCode <<<"$arp")
    assert_eq "$key" "$(jq -r .AppsAndFeaturesEntries[0].ProductCode <<<"$arp")" "ProductCode"
    # Read under the key the manifest names: under a wrong one they read empty.
    for name in DisplayName Publisher DisplayVersion; do
        assert_eq "$(jq -r ".AppsAndFeaturesEntries[0].$name" <<<"$arp")" \
            "$(reg_get "${entry%\\*}\\$key" "$name")" "the manifest's $name"
    done
}

# The way Windows runs it: the command in QuietUninstallString. The uninstaller hands over to
# a copy of itself and returns at once; the folder goes last.
uninstall_silently() {
    local command started
    command=$(reg_get "$entry" QuietUninstallString) || fail "no QuietUninstallString"
    [[ $command =~ ^\"([^\"]+)\"\ (.+)$ ]] || fail "QuietUninstallString '$command'"
    started=$(now_ms)
    # shellcheck disable=SC2086  # the arguments are words
    in_drive_c wine "${BASH_REMATCH[1]}" ${BASH_REMATCH[2]} || fail "uninstaller status $?"
    wait_until 30 folder_gone || fail "$folder is still there after the uninstall"
    wait_until 10 no_uninstaller_copy || fail "the uninstaller did not end"
    note "uninstalled in $(($(now_ms) - started)) ms"
}

# The copy runs as …\Temp\~nsuN.tmp\Un.exe; only those of this prefix count.
no_uninstaller_copy() {
    ! pid_with environ "WINEPREFIX=$WINEPREFIX" $(pgrep -f '\\Un\.exe _\?=') >/dev/null
}

# At a drive's root only the files go.
folder_gone() {
    [[ ! -e $folder/Uninstall.exe && ($folder == "$drive" || ! -e $folder) ]]
}
drive=""

settings_gone() {
    ! reg_has_key "$settings"
}

mem_gone() {
    ! reg_has_key "$E2E_SETTINGS_KEY"
}

uninstaller='Deinstallation von Dialvane '

# Keys go to the window under the pointer, so wait until it stands where it stays (it is
# centred after it shows) and has been drawn.
uninstaller_painted() {
    window_geometry
    ((WIN_X > 0)) || return 1
    screenshot uninstaller
    [[ $(window_pixel $((WIN_W / 2)) $((WIN_H - 10))) != 000000 ]]
}

# Its Close button answers only once the work is done.
close_finished_uninstaller() {
    key_tap Return
    sleep 0.3
    [[ -z $(find_windows "$uninstaller") ]]
}

expect_removed() {
    [[ ! -e $shortcut ]] || fail "the Start-menu shortcut is still there"
    ! reg_has_key "$entry" || fail "the uninstall entry is still there"
}

# The user ticks "AutoStart" in the gauge's options.
tick_autostart() {
    open_options
    at "${OPTIONS_AUTOSTART[@]}"
    click 1
    close_message_box AutoStart
}

# 1. Silent install; the installed gauge runs; the silent uninstall ends it, so it saves its
#    settings, and removes the autostart value that starts it.
install
expect_installed
! reg_has_key "$machine_entry" || fail "an uninstall entry for all users"
reg_set "$settings" txtHeight REG_SZ 4000
reg_set "$settings" Monis REG_SZ 7
reg_set "$settings" lblHDRAM.Caption REG_SZ HD
launch_app "$folder/Dialvane.exe"
wait_window Dialvane
window_geometry
screenshot installed
# "AutoStart" from the installed gauge, quoted where the path has a space.
tick_autostart
command="$win_folder\\Dialvane"
[[ $command != *' '* ]] || command="\"$command\""
assert_eq "$command" "$(reg_get "$run" Dialvane)" "the autostart command the installed gauge wrote"
uninstall_silently
wait_exit 10 || fail "the uninstaller left the gauge running"
assert_eq 0 "$APP_STATUS" "gauge exit status"
assert_eq 2500 "$(reg_get "$settings" txtHeight)" "size the gauge saved on its way out"
assert_eq 2 "$(reg_get "$settings" Monis)" "monitor count the gauge saved"
assert_eq HD "$(reg_get "$settings" lblHDRAM.Caption)" "mode the gauge saved"
! reg_has "$run" Dialvane || fail "the autostart value of the installed gauge is still there"
expect_removed

# 2. An earlier install for all users, which the user's autostart value starts, is left as it
#    is, but logging on starts the new copy. An autostart value for another copy stays, and so
#    do the settings.
machine_folder="$WINEPREFIX/drive_c/Program Files/Dialvane"
mkdir -p "$machine_folder"
cp "$DIALVANE_EXE" "$machine_folder/Dialvane.exe"
reg_set "$machine_entry" InstallLocation REG_SZ 'C:\Program Files\Dialvane'
reg_set "$run" Dialvane REG_SZ '"C:\Program Files\Dialvane\Dialvane"'
install
assert_eq "\"$win_folder\\Dialvane\"" "$(reg_get "$run" Dialvane)" "autostart after the update"
elsewhere='"C:\Program Files\Dialvane Old\Dialvane"'
reg_set "$run" Dialvane REG_SZ "$elsewhere"
uninstall_silently
assert_eq "$elsewhere" "$(reg_get "$run" Dialvane)" "autostart value of another copy"
assert_eq 2500 "$(reg_get "$settings" txtHeight)" "settings after a silent uninstall"
expect_removed
[[ -f $machine_folder/Dialvane.exe ]] || fail "the program installed for all users is gone"
reg_has_key "$machine_entry" || fail "the uninstall entry for all users is gone"
reg_delete_key "$machine_entry"
rm -rf -- "$machine_folder"

# uninstall_ticking_settings WINDOWS_PATH: the uninstaller in German, "Einstellungen
# entfernen" ticked, until it is done and closed.
uninstall_ticking_settings() {
    locale_known de_DE.UTF-8 || fail "locale de_DE.UTF-8 is missing"
    in_drive_c env LC_ALL=de_DE.UTF-8 wine "$1"
    # It hands over to a copy of itself and ends; no launched program to watch any more.
    # shellcheck disable=SC2034  # read by wait_window
    APP_PID=""
    wait_window "$uninstaller"
    # The copy of the uninstaller that shows the window; it ends with the scenario if it fails.
    uninstaller_pid=$(xdotool getwindowpid "$WIN_ID") || fail "no process for the uninstaller's window"
    track_pid "$uninstaller_pid"
    wait_until 15 uninstaller_painted || fail "the uninstaller's window was not drawn in place"
    pointer_to_window
    # The components page: the program (fixed), then the unticked settings entry.
    key_tap Down
    key_tap space
    sleep 0.3
    screenshot uninstall_components
    key_tap Return
    wait_until 30 folder_gone || fail "$folder is still there after the uninstall"
    wait_until 10 settings_gone || fail "ticked, the settings are still there"
    ! reg_has "$run" Dialvane || fail "the autostart value of the installed gauge is still there"
    expect_removed
    wait_until 10 close_finished_uninstaller || fail "the finished uninstaller did not close"
}

# gauge_of PROGRAM_FILE: the process id of the gauge window whose process runs that file (its
# Windows path, in any letter case), or nothing.
gauge_of() {
    local id
    # shellcheck disable=SC2046  # process ids are words
    pid_with cmdline "$1" $(for id in $(find_windows Dialvane); do
        xdotool getwindowpid "$id" 2>/dev/null
    done)
}

# 3. In German, the user ticks "Einstellungen entfernen": the settings go, and so does an
#    autostart value written unquoted, in other letter case, with the extension; another
#    program's key under MEM stays.
install
reg_set "$run" Dialvane REG_SZ "${win_folder,,}\\DIALVANE.EXE"
other_program="$E2E_SETTINGS_KEY\\Andere"
reg_set "$other_program" Wert REG_SZ 1
uninstall_ticking_settings "$win_folder\\Uninstall.exe"
assert_eq 1 "$(reg_get "$other_program" Wert)" "another program's setting under MEM"
reg_delete_key "$E2E_SETTINGS_KEY"

# 4. An update: over an older version whose gauge runs (with a portable copy elsewhere), the
#    new one keeps the settings and the autostart value, shows one entry with its version,
#    ends only the installed gauge and starts it again from the new program.
older=$E2E_SCENARIO_TMP/older
mkdir -p "$older"
sed -e "s/^VERSION=.*/VERSION='0.9'/" -e "s/^VERSION4=.*/VERSION4='0.9.0.0'/" \
    "$DIALVANE_SETTINGS" >"$older/release.env"
bash "$packaging/make-packages.sh" "$older/release.env" "$DIALVANE_EXE" "$older" \
    >>"$E2E_ARTIFACTS/setup.log" 2>&1 || fail "could not build the older installer"
install "$older/Dialvane-0.9-setup.exe"
assert_eq 0.9 "$(reg_get "$entry" DisplayVersion)" "DisplayVersion of the older version"
reg_set "$settings" txtHeight REG_SZ 1800
reg_set "$run" Dialvane REG_SZ "$command"
launch_app "$folder/Dialvane.exe"
wait_window Dialvane
installed_pid=$APP_PID
portable="$WINEPREFIX/drive_c/Tragbar/Dialvane.exe"
mkdir -p "$(dirname "$portable")"
cp "$DIALVANE_EXE" "$portable"
launch_app "$portable"
portable_pid=$APP_PID
wait_until 20 eval '(($(find_windows Dialvane | wc -l) == 2))' ||
    fail "the portable copy shows no gauge"
install
wait_until 10 pid_gone "$installed_pid" || fail "the update left the installed gauge running"
pid_alive "$portable_pid" || fail "the update ended the portable copy"
wait_until 20 gauge_of "$win_folder\\Dialvane.exe" >/dev/null ||
    fail "the update did not start the gauge again"
restarted_pid=$(gauge_of "$win_folder\\Dialvane.exe")
track_pid "$restarted_pid"
expect_installed
assert_eq "$command" "$(reg_get "$run" Dialvane)" "autostart value after the update"
assert_eq 1800 "$(reg_get "$settings" txtHeight)" "size after the update"
entries=$(wine reg query "${entry%\\*}" /s </dev/null 2>/dev/null | tr -d '\r' |
    grep -c '^    DisplayName    REG_SZ    Dialvane$' || true)
assert_eq 1 "$entries" "Apps & features entries named Dialvane"
screenshot updated
# The uninstaller, too, ends only the gauge of the copy it removes.
uninstall_silently
wait_until 10 pid_gone "$restarted_pid" || fail "the uninstaller left the installed gauge running"
pid_alive "$portable_pid" || fail "the uninstaller ended the portable copy"
close_app
assert_eq 0 "$APP_STATUS" "portable gauge exit status"
rm -rf -- "$(dirname "$portable")"
reg_delete_key "$E2E_SETTINGS_KEY"

# 5. At the root of a drive: the gauge's autostart value there is "R:\Dialvane", and the
#    uninstall (settings ticked, nothing else under MEM) takes it and MEM along.
drive=$E2E_SCENARIO_TMP/drive_r
mkdir -p "$drive"
ln -sfn "$drive" "$WINEPREFIX/dosdevices/r:"
folder=$drive
install "$DIALVANE_SETUP" '/D=R:\'
[[ -f $drive/Dialvane.exe && -f $drive/Uninstall.exe ]] || fail "nothing installed in R:\\"
assert_eq 'R:\' "$(reg_get "$entry" InstallLocation)" "InstallLocation at the root"
assert_eq '"R:\Uninstall.exe" /S' "$(reg_get "$entry" QuietUninstallString)" \
    "QuietUninstallString at the root"
launch_app "$drive/Dialvane.exe"
wait_window Dialvane
tick_autostart
assert_eq 'R:\Dialvane' "$(reg_get "$run" Dialvane)" "the autostart command at the root"
close_app
uninstall_ticking_settings 'R:\Uninstall.exe'
wait_until 10 mem_gone || fail "MEM stayed with nothing left in it"
rm -f -- "$WINEPREFIX/dosdevices/r:"
