# shellcheck shell=bash
# Starting the program under Wine, finding its window, and ending it.

APP_PID=""
APP_IMAGE=""
APP_STATUS=""
WIN_ID=""
E2E_STARTED_PIDS=()

# Processes a scenario starts end with it, even when it fails.
track_pid() {
    E2E_STARTED_PIDS+=("$1")
}

# launch_app [--locale NAME] [EXE [ARGS...]]: starts EXE (default $DIALVANE_EXE) in its own
# folder; sets APP_PID to the Wine process itself, not a subshell.
launch_app() {
    local locale=""
    if [[ ${1:-} == --locale ]]; then
        locale=$2
        shift 2
    fi
    local exe=${1:-${DIALVANE_EXE:-}}
    (($# > 0)) && shift
    [[ -f $exe ]] || fail "no program at '$exe'"
    [[ -z $locale ]] || locale_known "$locale" ||
        fail "locale $locale is missing; add it to E2E_LOCALES of the session"
    local dir name
    dir=$(cd "$(dirname "$exe")" && pwd)
    name=$(basename "$exe")
    (cd "$dir" && exec env ${locale:+"LC_ALL=$locale"} wine "$name" "$@") \
        </dev/null >>"$E2E_ARTIFACTS/${name%.*}.log" 2>&1 &
    APP_PID=$!
    APP_IMAGE=$name
    APP_STATUS=""
    WIN_ID=""
    track_pid "$APP_PID"
}

# beside_program EXE ARGS...: a helper program built beside the gauge's, run in its folder;
# its output without Wine's CRs.
beside_program() {
    local dir
    dir=$(cd "$(dirname "$DIALVANE_EXE")" && pwd)
    (cd "$dir" && wine "./$1" "${@:2}") </dev/null 2>/dev/null | tr -d '\r'
}

_regex_literal() {
    # shellcheck disable=SC2016  # a sed bracket expression, not a shell expansion
    printf '%s' "$1" | sed 's/[][\.*^$()+?{}|]/\\&/g'
}

# Visible windows whose caption is exactly CAPTION, one X id a line.
find_windows() {
    xdotool search --onlyvisible --name "^$(_regex_literal "$1")\$" 2>/dev/null || true
}

# wait_window [CAPTION [SECONDS]]: sets WIN_ID; fails early if the program ends first.
wait_window() {
    local caption=${1:-Dialvane} seconds=${2:-20}
    local deadline
    deadline=$(($(now_ms) + $(seconds_to_ms "$seconds")))
    while :; do
        WIN_ID=$(find_windows "$caption" | head -n 1)
        [[ -n $WIN_ID ]] && return 0
        if [[ -n $APP_PID ]] && pid_gone "$APP_PID"; then
            wait_exit 1 || true
            fail "$APP_IMAGE ended (status ${APP_STATUS:-?}) before a window '$caption' appeared"
        fi
        (($(now_ms) < deadline)) || fail "no window '$caption' within $seconds s"
        sleep 0.05
    done
}

# window_geometry [WID]: sets WIN_X WIN_Y (screen pixels) and WIN_W WIN_H.
# shellcheck disable=SC2034  # read by the scenario and by screen.sh
window_geometry() {
    local wid=${1:-$WIN_ID} key value
    [[ -n $wid ]] || fail "window_geometry: no window"
    WIN_X="" WIN_Y="" WIN_W="" WIN_H=""
    while IFS='=' read -r key value; do
        case $key in
            X) WIN_X=$value ;;
            Y) WIN_Y=$value ;;
            WIDTH) WIN_W=$value ;;
            HEIGHT) WIN_H=$value ;;
        esac
    done < <(xdotool getwindowgeometry --shell "$wid" 2>/dev/null)
    [[ -n $WIN_W ]] || fail "window $wid has gone"
}

# wait_exit [SECONDS]: sets APP_STATUS to the exit status; returns 1 if still running.
wait_exit() {
    local seconds=${1:-10}
    [[ -n $APP_PID ]] || return 0
    wait_until "$seconds" pid_gone "$APP_PID" || return 1
    APP_STATUS=0
    wait "$APP_PID" 2>/dev/null || APP_STATUS=$?
}

# close_app [SECONDS]: WM_CLOSE to the program's windows, as the user closing it would.
close_app() {
    local seconds=${1:-10}
    [[ -n $APP_PID ]] || fail "close_app: nothing was launched"
    local said="" status=0
    if pid_alive "$APP_PID"; then
        said=$(wine taskkill /im "$APP_IMAGE" </dev/null 2>&1) || status=$?
    fi
    wait_exit "$seconds" ||
        fail "$APP_IMAGE did not end within $seconds s of WM_CLOSE (taskkill status $status: ${said//$'\r'/})"
}

# pause_app / run_app_for SECONDS: the program stopped between looks at the screen, so a look
# that takes long (a busy machine) cannot miss what the program did meanwhile, and each run
# lets it go on for about the same stretch. Its window stays on the screen while it is stopped.
pause_app() {
    kill -STOP "$APP_PID" 2>/dev/null || fail "$APP_IMAGE has ended"
}
run_app_for() {
    kill -CONT "$APP_PID" 2>/dev/null || fail "$APP_IMAGE has ended"
    sleep "$1"
    pause_app
}
resume_app() {
    kill -CONT "$APP_PID" 2>/dev/null || true
}

# kill_app: last resort; only the launched process.
kill_app() {
    [[ -n $APP_PID ]] || return 0
    _end_child "$APP_PID"
    APP_STATUS=killed
}

_end_child() {
    local pid=$1
    if pid_alive "$pid"; then
        kill -CONT "$pid" 2>/dev/null || true  # a paused one would hold its TERM
        kill -TERM "$pid" 2>/dev/null || true
        if ! wait_until 3 pid_gone "$pid"; then
            kill -KILL "$pid" 2>/dev/null || true
            wait_until 3 pid_gone "$pid" || true
        fi
    fi
    wait "$pid" 2>/dev/null || true
}

end_tracked_pids() {
    local pid
    for pid in "${E2E_STARTED_PIDS[@]}"; do
        _end_child "$pid"
    done
    E2E_STARTED_PIDS=()
}
