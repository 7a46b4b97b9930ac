# shellcheck shell=bash
# Polling with a time-out: every wait in a scenario ends, and none sleeps longer than needed.

# Milliseconds since the epoch; the separator in EPOCHREALTIME follows the shell's locale.
now_ms() {
    local micros=${EPOCHREALTIME//[.,]/}
    printf '%d\n' $((micros / 1000))
}

# "1.5" -> 1500; whole and decimal seconds both work.
seconds_to_ms() {
    local whole=${1%%.*} frac=000
    if [[ $1 == *.* ]]; then
        frac="${1#*.}000"
    fi
    printf '%d\n' $((10#${whole:-0} * 1000 + 10#${frac:0:3}))
}

# wait_until SECONDS COMMAND [ARGS...]: polls every 50 ms; returns 1 on time-out.
wait_until() {
    local deadline
    deadline=$(($(now_ms) + $(seconds_to_ms "$1")))
    shift
    until "$@"; do
        if (($(now_ms) >= deadline)); then
            return 1
        fi
        sleep 0.05
    done
}

# A zombie has ended; only its parent's wait can remove it, so it is not "alive".
pid_alive() {
    local state
    [[ -r /proc/$1/stat ]] || return 1
    state=$(sed 's/^.*) //' "/proc/$1/stat" 2>/dev/null | cut -d' ' -f1) || return 1
    [[ -n $state && $state != Z && $state != X ]]
}

pid_gone() {
    ! pid_alive "$1"
}

# pid_with FILE LINE PID...: the first PID whose /proc/PID/FILE (cmdline, environ) holds LINE,
# in any letter case; returns 1 when none does.
pid_with() {
    local file=$1 line=$2 pid
    shift 2
    for pid; do
        if tr '\0' '\n' <"/proc/$pid/$file" 2>/dev/null | grep -qixF -- "$line"; then
            printf '%s\n' "$pid"
            return 0
        fi
    done
    return 1
}

# stop_pid PID NAME: TERM, then KILL after 5 s; refuses a PID that now runs something else.
stop_pid() {
    local pid=$1 name=$2
    pid_alive "$pid" || return 0
    if [[ $(cat "/proc/$pid/comm" 2>/dev/null) != "$name"* ]]; then
        printf 'not stopping %s: it is no longer %s\n' "$pid" "$name" >&2
        return 0
    fi
    kill -TERM "$pid" 2>/dev/null || true
    if ! wait_until 5 pid_gone "$pid"; then
        kill -KILL "$pid" 2>/dev/null || true
        wait_until 5 pid_gone "$pid" || return 1
    fi
}
