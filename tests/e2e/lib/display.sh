# shellcheck shell=bash
# A private Xvfb display: Xvfb picks a free number itself (-displayfd), so parallel runs never clash.

E2E_SCREEN_W=1024
E2E_SCREEN_H=768

# Xvfb writes "N\n" once it accepts connections; read fails on a line without its newline.
_display_number_written() {
    local line
    read -r line <"$1" && [[ $line =~ ^[0-9]+$ ]]
}

# xvfb_start STATE_DIR: sets XVFB_PID and DISPLAY.
xvfb_start() {
    local dir=$1
    local number_file="$dir/display-number"
    : >"$number_file"
    # Its own output goes to a file: an inherited pipe would keep ctest waiting for it.
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN_W}x${E2E_SCREEN_H}x24" -nolisten tcp -noreset \
        3>"$number_file" </dev/null >"$dir/xvfb.log" 2>&1 &
    XVFB_PID=$!
    if ! wait_until 15 _display_number_written "$number_file"; then
        printf 'Xvfb did not start:\n' >&2
        cat "$dir/xvfb.log" >&2
        stop_pid "$XVFB_PID" Xvfb
        return 1
    fi
    DISPLAY=":$(head -n 1 "$number_file")"
    export DISPLAY XVFB_PID
}

xvfb_stop() {
    stop_pid "$1" Xvfb
}
