#!/usr/bin/env bash
# The shared Wine session: one X display, one fresh prefix, one persistent wineserver.
#   session.sh start ENV_FILE [MONITORS]   starts them and writes ENV_FILE for the scenarios
#   session.sh stop ENV_FILE               stops exactly what that ENV_FILE recorded
# MONITORS 1 (the default) is an Xvfb screen; 2 is Xorg's dummy driver with a second monitor
# right of the primary, which scenarios unplug and plug in again (monitors.sh).

E2E_LIB=${E2E_LIB:-$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)}
# shellcheck source=wait.sh
source "$E2E_LIB/wait.sh"
# shellcheck source=display.sh
source "$E2E_LIB/display.sh"
# shellcheck source=prefix.sh
source "$E2E_LIB/prefix.sh"
# shellcheck source=locale.sh
source "$E2E_LIB/locale.sh"
# shellcheck source=monitors.sh
source "$E2E_LIB/monitors.sh"

_session_write_env() {
    local file=$1 name
    {
        for name in E2E_SESSION_DIR DISPLAY X_SERVER_PID E2E_MONITORS WINEPREFIX WINEARCH \
            WINEDEBUG WINEDLLOVERRIDES LC_ALL E2E_SCREEN_W E2E_SCREEN_H; do
            printf 'export %s=%q\n' "$name" "${!name}"
        done
    } >"$file.new"
    mv -f -- "$file.new" "$file"
}

# Only folders made by session_start are removed.
_session_remove_dir() {
    local dir=$1
    [[ $(basename -- "$dir") == dialvane-e2e.* && -d $dir ]] || return 0
    prefix_destroy "$dir/prefix"
    rm -rf -- "$dir"
}

# _display_start DIR: the session's X server, with its monitors.
_display_start() {
    if ((E2E_MONITORS == 1)); then
        xvfb_start "$1"
        return
    fi
    xorg_start "$1" || return 1
    if ! { monitor_modes && monitor_set "$E2E_SECOND_MONITOR" && _screen_size_now; }; then
        printf 'xrandr could not plug in the second monitor\n' >&2
        x_server_stop "$X_SERVER_PID"
        return 1
    fi
}

session_start() {
    local env_file=$1 started
    E2E_MONITORS=${2:-1}
    started=$(now_ms)
    # A run that was cut short leaves its file; end that session before starting anew.
    if [[ -f $env_file ]]; then
        printf 'ending the session left by an earlier run\n'
        session_stop "$env_file"
    fi
    mkdir -p -- "$(dirname -- "$env_file")"
    make_locales
    E2E_SESSION_DIR=$(mktemp -d "${TMPDIR:-/tmp}/dialvane-e2e.XXXXXX")
    if ! _display_start "$E2E_SESSION_DIR"; then
        rm -rf -- "$E2E_SESSION_DIR"
        return 1
    fi
    if ! prefix_create "$E2E_SESSION_DIR/prefix" "$E2E_SESSION_DIR/wine.log"; then
        printf 'the Wine prefix could not be made:\n' >&2
        tail -n 30 "$E2E_SESSION_DIR/wine.log" >&2
        _session_remove_dir "$E2E_SESSION_DIR"
        x_server_stop "$X_SERVER_PID"
        return 1
    fi
    export E2E_SESSION_DIR
    if ((E2E_MONITORS > 1)); then
        monitors_keep_desktop "$E2E_SESSION_DIR/wine.log"
    fi
    _session_write_env "$env_file"
    printf 'session ready in %d ms: display %s (X server %s, %d monitors), prefix %s\n' \
        $(($(now_ms) - started)) "$DISPLAY" "$X_SERVER_PID" "$E2E_MONITORS" "$WINEPREFIX"
}

session_stop() {
    local env_file=$1
    if [[ ! -f $env_file ]]; then
        printf 'no session to stop (%s)\n' "$env_file"
        return 0
    fi
    (
        # shellcheck source=/dev/null
        source "$env_file"
        _session_remove_dir "$E2E_SESSION_DIR"
        x_server_stop "$X_SERVER_PID"
        printf 'session stopped: display %s, prefix %s\n' "$DISPLAY" "$WINEPREFIX"
    )
    rm -f -- "$env_file"
}

_session_main() {
    set -euo pipefail
    case ${1:-} in
        start) session_start "$2" "${3:-1}" ;;
        stop) session_stop "$2" ;;
        *)
            printf 'usage: %s start|stop ENV_FILE\n' "$0" >&2
            return 2
            ;;
    esac
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    _session_main "$@"
fi
