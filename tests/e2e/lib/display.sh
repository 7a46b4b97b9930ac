# shellcheck shell=bash
# A private X display, on a free number the server picks itself (-displayfd), so parallel runs
# never clash: Xvfb with one monitor, or Xorg's dummy driver with monitors that come and go.

E2E_SCREEN_W=1024
E2E_SCREEN_H=768

# The server writes "N\n" once it accepts connections; read fails on a line without its newline.
_display_number_written() {
    local line
    read -r line <"$1" && [[ $line =~ ^[0-9]+$ ]]
}

# xvfb_start STATE_DIR: sets X_SERVER_PID and DISPLAY.
xvfb_start() {
    _x_server_start "$1" Xvfb -screen 0 "${E2E_SCREEN_W}x${E2E_SCREEN_H}x24"
}

# xorg_start STATE_DIR: the dummy video driver, whose RandR outputs DUMMY0 … DUMMY15 Wine takes
# for monitors while they are on (monitors.sh turns them on and off); DUMMY0 is on, the size of
# Xvfb's screen. Xorg needs root. Sets X_SERVER_PID and DISPLAY.
xorg_start() {
    local dir=$1
    cat >"$dir/xorg.conf" <<EOF
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 65536
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0 - 1000.0
    VertRefresh 5.0 - 200.0
    Modeline "1024x768" 63.50 1024 1072 1176 1328 768 771 775 798 -hsync +vsync
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "1024x768"
        Virtual 2048 1024
    EndSubSection
EndSection
EOF
    _x_server_start "$dir" Xorg -config "$dir/xorg.conf" -logfile "$dir/xorg.log"
}

# _x_server_start STATE_DIR SERVER ARGS...: starts it and waits for its display number.
_x_server_start() {
    local dir=$1 server=$2
    shift 2
    : >"$dir/display-number"
    # Its own output goes to a file: an inherited pipe would keep ctest waiting for it.
    "$server" -displayfd 3 "$@" -nolisten tcp -noreset 3>"$dir/display-number" </dev/null \
        >"$dir/$server.out" 2>&1 &
    X_SERVER_PID=$!
    if ! wait_until 15 _display_number_written "$dir/display-number"; then
        printf '%s did not start:\n' "$server" >&2
        cat "$dir/$server.out" >&2
        stop_pid "$X_SERVER_PID" "$server"
        return 1
    fi
    DISPLAY=":$(head -n 1 "$dir/display-number")"
    export DISPLAY X_SERVER_PID
}

# x_server_stop PID: Xvfb or Xorg, whichever the session started.
x_server_stop() {
    stop_pid "$1" X
}
