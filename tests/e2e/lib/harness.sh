# shellcheck shell=bash
# End-to-end scenario library. A scenario is a bash script that starts with
#   set -euo pipefail
#   source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"
#   scenario_begin
# and then drives the program with the helpers below. Under ctest it joins the shared session
# named by DIALVANE_SESSION; run alone, it starts and stops a private one.
#
# Environment: DIALVANE_EXE (the program), DIALVANE_SESSION (session file, optional),
# E2E_ARTIFACTS (screenshots and logs; default /tmp/dialvane-e2e-artifacts/<scenario>).

E2E_LIB=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# Decimal points in awk and bash, and Wine's en-US defaults, whatever the user's locale.
export LC_ALL=C.UTF-8
# shellcheck source=wait.sh
source "$E2E_LIB/wait.sh"
# shellcheck source=assert.sh
source "$E2E_LIB/assert.sh"
# shellcheck source=session.sh
source "$E2E_LIB/session.sh"
# shellcheck source=registry.sh
source "$E2E_LIB/registry.sh"
# shellcheck source=app.sh
source "$E2E_LIB/app.sh"
# shellcheck source=screen.sh
source "$E2E_LIB/screen.sh"
# shellcheck source=input.sh
source "$E2E_LIB/input.sh"
# shellcheck source=needle.sh
source "$E2E_LIB/needle.sh"
# shellcheck source=gauge.sh
source "$E2E_LIB/gauge.sh"
# shellcheck source=options.sh
source "$E2E_LIB/options.sh"

E2E_SCENARIO=$(basename "$0" .sh)
E2E_OWN_SESSION=""
E2E_SCENARIO_TMP=""

# The program's settings live here; every scenario starts without them.
E2E_SETTINGS_KEY='HKCU\Software\MEM'

_scenario_join_session() {
    if [[ -z ${DIALVANE_SESSION:-} ]]; then
        E2E_OWN_SESSION=$(mktemp -u "${TMPDIR:-/tmp}/dialvane-e2e-own.XXXXXX.env")
        DIALVANE_SESSION=$E2E_OWN_SESSION
        session_start "$DIALVANE_SESSION" >&2 || fail "could not start a Wine session"
    fi
    [[ -f $DIALVANE_SESSION ]] || fail "no session file $DIALVANE_SESSION (did the setup test run?)"
    # shellcheck source=/dev/null
    source "$DIALVANE_SESSION"
    pid_alive "$XVFB_PID" || fail "the session's Xvfb ($XVFB_PID) is not running"
}

_scenario_prepare_artifacts() {
    E2E_ARTIFACTS=${E2E_ARTIFACTS:-${TMPDIR:-/tmp}/dialvane-e2e-artifacts/$E2E_SCENARIO}
    mkdir -p -- "$E2E_ARTIFACTS"
    rm -f -- "$E2E_ARTIFACTS"/*.png "$E2E_ARTIFACTS"/*.log
    E2E_SCENARIO_TMP=$(mktemp -d "$E2E_SESSION_DIR/scenario.XXXXXX")
}

_no_window_left() {
    [[ -z $(find_windows Dialvane) ]]
}

scenario_begin() {
    E2E_BEGIN_MS=$(now_ms)
    trap _scenario_end EXIT
    trap 'exit 1' USR1
    E2E_FAIL_ENDS_SCENARIO=1
    _scenario_join_session
    _scenario_prepare_artifacts
    wait_until 3 _no_window_left || fail "a Dialvane window from an earlier run is still open"
    [[ ! -f $E2E_SESSION_DIR/backdrop ]] || screen_backdrop 000000
    release_keys
    # The pointer waits in a corner no gauge starts under: one resting on it shows a tooltip.
    mouse_move $((E2E_SCREEN_W - 1)) $((E2E_SCREEN_H - 1))
    reg_delete_key "$E2E_SETTINGS_KEY"
    reset_dpi
}

_scenario_end() {
    local status=$?
    set +e
    trap - EXIT
    if ((status != 0)) && [[ -n $E2E_SCENARIO_TMP ]]; then
        import -window root "$E2E_ARTIFACTS/failure.png" 2>/dev/null &&
            printf 'screen at failure: %s\n' "$E2E_ARTIFACTS/failure.png" >&2
    fi
    release_keys
    end_tracked_pids
    [[ -n $E2E_SCENARIO_TMP ]] && rm -rf -- "$E2E_SCENARIO_TMP"
    [[ -n $E2E_OWN_SESSION ]] && session_stop "$E2E_OWN_SESSION" >&2
    if ((status == 0)); then
        printf '%s passed in %d ms\n' "$E2E_SCENARIO" $(($(now_ms) - E2E_BEGIN_MS))
    else
        printf '%s failed (status %d); artifacts in %s\n' "$E2E_SCENARIO" "$status" \
            "${E2E_ARTIFACTS:-?}" >&2
    fi
    exit "$status"
}
