# shellcheck shell=bash
# The monitors of the two-monitor bench (Xorg's dummy driver, display.sh): DUMMY0 is the primary,
# 1024x768; the second, DUMMY1, is plugged in right of it or unplugged. Wine's desktop process
# (explorer.exe) reads each change as it happens, but only while it runs, and it ends a moment
# after the last program: the session keeps a program running (monitors_keep_desktop). Wine
# sends no message of a change, so monitor_layout sends what Windows sends.

E2E_SECOND_MONITOR=${E2E_SECOND_MONITOR:-800x600}

# The modes DUMMY1 may take; 1024x768 comes from the server's configuration.
monitor_modes() {
    xrandr --newmode 800x600_60 38.25 800 832 912 1024 600 603 607 624 -hsync +vsync &&
        xrandr --addmode DUMMY1 800x600_60 && xrandr --addmode DUMMY1 1024x768
}

# monitor_set SIZE | monitor_set off: DUMMY1 right of the primary, or unplugged; Wine's
# programs are not told.
monitor_set() {
    case $1 in
        off) xrandr --output DUMMY1 --off ;;
        800x600) xrandr --output DUMMY1 --mode 800x600_60 --right-of DUMMY0 ;;
        *) xrandr --output DUMMY1 --mode "$1" --right-of DUMMY0 ;;
    esac
}

# The root window grows and shrinks with the monitors; screenshots are its size.
# shellcheck disable=SC2034  # read by screen.sh
_screen_size_now() {
    local size
    size=$(xrandr --current | sed -n 's/^Screen 0:.* current \([0-9]*\) x \([0-9]*\),.*/\1 \2/p')
    [[ $size =~ ^[0-9]+\ [0-9]+$ ]] || return 1
    read -r E2E_SCREEN_W E2E_SCREEN_H <<<"$size"
}

# The monitors as Win32 has them, "L,T WxH; …", the primary first: X's coordinates less the
# primary's corner, which Win32 puts at 0,0.
monitors_expected() {
    xrandr --listmonitors | awk '
        / [0-9]+: / {
            split($3, g, /[x+]/); w = g[1]; sub(/\/.*/, "", w); h = g[2]; sub(/\/.*/, "", h)
            line = w "x" h " " g[3] " " g[4]
            if ($2 ~ /\*/) primary = line; else others[++n] = line
        }
        END {
            split(primary, p, " ")
            printf "%d,%d %s", 0, 0, p[1]
            for (i = 1; i <= n; i++) {
                split(others[i], o, " ")
                printf "; %d,%d %s", o[2] - p[2], o[3] - p[3], o[1]
            }
        }'
}

# monitor_layout SIZE | monitor_layout off: the change as a person makes it; waits until Win32
# sees it, then every top-level window hears of it. MONITORS_SEEN holds the monitors Win32 saw
# (monitors_expected's form).
monitor_layout() {
    monitor_set "$1" || fail "xrandr could not set the second monitor to $1"
    _screen_size_now || fail "xrandr did not say the screen's size"
    MONITORS_SEEN=$(monitors_expected)
    local dir log="$E2E_SCENARIO_TMP/layout.log"
    dir=$(cd "$(dirname "$DIALVANE_EXE")" && pwd)
    # A file, not a pipe: a desktop process this starts would hold a pipe open.
    (cd "$dir" && wine ./covering_window.exe layout "$MONITORS_SEEN") </dev/null >"$log" 2>&1 ||
        fail "Wine did not see the monitors as $MONITORS_SEEN: $(tr -d '\r' <"$log")"
    note "monitors: $MONITORS_SEEN"
}

# monitors_reset: the session's layout, the second monitor right of the primary, as Wine's
# programs see it before the scenario starts one.
monitors_reset() {
    monitor_layout "$E2E_SECOND_MONITOR"
}

# monitors_keep_desktop LOG: a program that runs until the session's prefix is taken down
# (cmd.exe waiting on a pipe no one writes), so Wine's desktop process stays and follows every
# change.
monitors_keep_desktop() {
    local fifo="$E2E_SESSION_DIR/keeper"
    mkfifo "$fifo"
    wine cmd.exe <>"$fifo" >>"$1" 2>&1 &
}
