#!/usr/bin/env bash
# The shared Wine session: one Xvfb display, one fresh prefix, one persistent wineserver.
#   session.sh start ENV_FILE   starts them and writes ENV_FILE for the scenarios to source
#   session.sh stop ENV_FILE    stops exactly what that ENV_FILE recorded

E2E_LIB=${E2E_LIB:-$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)}
# shellcheck source=wait.sh
source "$E2E_LIB/wait.sh"
# shellcheck source=display.sh
source "$E2E_LIB/display.sh"
# shellcheck source=prefix.sh
source "$E2E_LIB/prefix.sh"
# shellcheck source=locale.sh
source "$E2E_LIB/locale.sh"

_session_write_env() {
    local file=$1 name
    {
        for name in E2E_SESSION_DIR DISPLAY XVFB_PID WINEPREFIX WINEARCH WINEDEBUG \
            WINEDLLOVERRIDES LC_ALL E2E_SCREEN_W E2E_SCREEN_H; do
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

session_start() {
    local env_file=$1 started
    started=$(now_ms)
    # A run that was cut short leaves its file; end that session before starting anew.
    if [[ -f $env_file ]]; then
        printf 'ending the session left by an earlier run\n'
        session_stop "$env_file"
    fi
    mkdir -p -- "$(dirname -- "$env_file")"
    make_locales
    E2E_SESSION_DIR=$(mktemp -d "${TMPDIR:-/tmp}/dialvane-e2e.XXXXXX")
    if ! xvfb_start "$E2E_SESSION_DIR"; then
        rm -rf -- "$E2E_SESSION_DIR"
        return 1
    fi
    if ! prefix_create "$E2E_SESSION_DIR/prefix" "$E2E_SESSION_DIR/wine.log"; then
        printf 'the Wine prefix could not be made:\n' >&2
        tail -n 30 "$E2E_SESSION_DIR/wine.log" >&2
        _session_remove_dir "$E2E_SESSION_DIR"
        xvfb_stop "$XVFB_PID"
        return 1
    fi
    export E2E_SESSION_DIR
    _session_write_env "$env_file"
    printf 'session ready in %d ms: display %s (Xvfb %s), prefix %s\n' \
        $(($(now_ms) - started)) "$DISPLAY" "$XVFB_PID" "$WINEPREFIX"
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
        xvfb_stop "$XVFB_PID"
        printf 'session stopped: display %s, prefix %s\n' "$DISPLAY" "$WINEPREFIX"
    )
    rm -f -- "$env_file"
}

_session_main() {
    set -euo pipefail
    case ${1:-} in
        start) session_start "$2" ;;
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
