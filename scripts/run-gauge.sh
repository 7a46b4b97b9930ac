#!/usr/bin/env bash
# Installs what is missing, builds Dialvane.exe and runs it under Wine: on your X display if
# there is one, otherwise on a virtual display, saving a screenshot of the running gauge.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
lib="$root/tests/e2e/lib"

scripts/install-deps.sh
cmake --preset windows
cmake --build --preset windows --target Dialvane
exe="$root/build/windows/platform/win32/Dialvane.exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    # Your own prefix, so the settings last from one run to the next.
    # shellcheck source=../tests/e2e/lib/prefix.sh
    source "$lib/prefix.sh"
    export WINEPREFIX="${WINEPREFIX:-$HOME/.wine}" WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    [ -d "$WINEPREFIX/drive_c/windows" ] || wine wineboot -i >/dev/null 2>&1
    prefix_add_wine_fonts "$WINEPREFIX"
    cd "$(dirname "$exe")"
    exec wine "$exe"
fi

session="$root/build/run-gauge/session.env"
"$lib/session.sh" start "$session" >/dev/null
trap '"$lib/session.sh" stop "$session" >/dev/null' EXIT
# shellcheck source=/dev/null
source "$session"
(cd "$(dirname "$exe")" && exec wine "$exe") >/dev/null 2>&1 &
gauge=$!
# Long enough for the start-up sweep to reach the reading.
sleep 6
shot="$root/build/dialvane-screenshot.png"
import -window root "$shot"
kill "$gauge" 2>/dev/null || true
echo "No X display here: ran the gauge on a virtual display and saved $shot"
