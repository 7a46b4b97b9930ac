#!/usr/bin/env bash
# What the idle gauge costs next to the least such a gauge must do.
#   scripts/bench-idle.sh [ram|hd] [seconds]        (defaults: ram 30)
# Builds what is missing, starts one Xvfb display and a fresh Wine prefix, then runs
# Dialvane.exe (first-run settings, 80 px; drive mode for hd) and the floor program
# (tests/bench/idle) in turn, A B A B. After each has settled it measures, over the window:
# CPU seconds (utime + stime) of the program's process and of the wineserver, and at the end
# the program's Pss and private dirty memory. Prints a line per run and the ratios.
# Each program runs once unmeasured first, and the runs wait until the new prefix's own
# background work is done (wineserver idle), so no run pays for either.
# BENCH_SETTLE (seconds after the window appears, default 5), BENCH_ROUNDS (default 2),
# BENCH_GAUGE (another Dialvane.exe to measure, such as an older build), BENCH_BEHIND=1 (Wine's
# Notepad is the active program in front of each run, as when the user works in another
# program; its CPU is not counted, the wineserver's work for it is).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lib="$root/tests/e2e/lib"
mode=${1:-ram}
seconds=${2:-30}
settle=${BENCH_SETTLE:-5}
rounds=${BENCH_ROUNDS:-2}
behind=${BENCH_BEHIND:-0}
case $mode in
    ram | hd) ;;
    *)
        printf 'usage: %s [ram|hd] [seconds]\n' "$0" >&2
        exit 2
        ;;
esac
[[ $seconds =~ ^[0-9]+$ && $seconds -gt 0 && $settle =~ ^[0-9]+$ && $rounds =~ ^[0-9]+$ ]] || {
    printf 'seconds (above 0), BENCH_SETTLE and BENCH_ROUNDS are whole numbers\n' >&2
    exit 2
}

# shellcheck source=../tests/e2e/lib/wait.sh
source "$lib/wait.sh"

cd "$root"
[[ -f build/windows/build.ninja ]] || {
    scripts/install-deps.sh
    cmake --preset windows >/dev/null
}
cmake --build --preset windows --target Dialvane idle_floor >/dev/null
gauge=${BENCH_GAUGE:-$root/build/windows/platform/win32/Dialvane.exe}
floor="$root/build/windows/tests/bench/idle/idle_floor.exe"

work=$(mktemp -d "${TMPDIR:-/tmp}/dialvane-bench.XXXXXX")
session="$work/session.env"
program_pid=""
front_pid=""
finish() {
    if [[ -n $program_pid ]]; then
        end_program "$program_pid"
    fi
    if [[ -n $front_pid ]]; then
        kill -TERM "$front_pid" 2>/dev/null || true
    fi
    "$lib/session.sh" stop "$session" >/dev/null || true
    rm -rf -- "$work"
}
trap finish EXIT
trap 'exit 130' INT TERM
"$lib/session.sh" start "$session" >/dev/null
# shellcheck source=/dev/null
source "$session"

ticks=$(getconf CLK_TCK)

# utime + stime of a process, in clock ticks (fields 14 and 15; the name may hold blanks).
cpu_ticks() {
    local fields
    fields=$(sed 's/^.*) //' "/proc/$1/stat")
    awk '{ print $12 + $13 }' <<<"$fields"
}

# Run time of all its threads in nanoseconds: the same CPU time, without the 10 ms grain.
cpu_ns() {
    cat "/proc/$1"/task/*/schedstat 2>/dev/null | awk '{ sum += $1 } END { printf "%.0f\n", sum }'
}

# A smaps_rollup field in kB.
memory_kb() {
    awk -v field="$2:" '$1 == field { print $2 }' "/proc/$1/smaps_rollup"
}

# The session's own wineserver: the one whose environment names this prefix.
wineserver_pid() {
    # shellcheck disable=SC2046 # one PID a word
    pid_with environ "WINEPREFIX=$WINEPREFIX" $(pgrep -x 'wineserver(64)?' || true)
}

window_shown() {
    [[ -n $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null) ]]
}

end_program() {
    local pid=$1
    if pid_alive "$pid"; then
        kill -TERM "$pid" 2>/dev/null || true
        wait_until 5 pid_gone "$pid" || kill -KILL "$pid" 2>/dev/null || true
    fi
    wait "$pid" 2>/dev/null || true
    program_pid=""
}

settings() {
    wine reg delete 'HKCU\Software\MEM' /f </dev/null >/dev/null 2>&1 || true
    if [[ $mode == hd ]]; then
        wine reg add 'HKCU\Software\MEM\Optionen' /v lblHDRAM.Caption /t REG_SZ /d HD /f \
            </dev/null >/dev/null 2>&1
    fi
}

server=$(wineserver_pid) || {
    printf 'the session has no wineserver\n' >&2
    exit 1
}

# Up to 90 s, until the wineserver has worked less than 5 ms in 2 s.
wait_quiet() {
    local deadline before
    deadline=$(($(now_ms) + 90000))
    while (($(now_ms) < deadline)); do
        before=$(cpu_ns "$server")
        sleep 2
        (($(cpu_ns "$server") - before < 5000000)) && return 0
    done
    printf 'note: the wineserver never came to rest; figures may be high\n'
}

# Starts a program in its own folder and waits for its window; sets program_pid.
start_program() {
    local name=$1 exe=$2 caption=$3
    shift 3
    (cd "$(dirname "$exe")" && exec wine "$(basename "$exe")" "$@") \
        </dev/null >>"$work/$name.log" 2>&1 &
    program_pid=$!
    wait_until 60 window_shown "$caption" || {
        printf '%s showed no window within 60 s\n' "$name" >&2
        exit 1
    }
}

# One measured run: prints "name program_ticks server_ticks program_ns server_ns pss_kb
# private_dirty_kb".
measure() {
    start_program "$@"
    if [[ $behind == 1 ]]; then
        (exec wine notepad) </dev/null >>"$work/notepad.log" 2>&1 &
        front_pid=$!
        wait_until 60 window_shown "Untitled - Notepad" || {
            printf 'Notepad showed no window within 60 s\n' >&2
            exit 1
        }
    fi
    sleep "$settle"
    local program_start server_start program_end server_end program_ns server_ns pss dirty
    program_start=$(cpu_ticks "$program_pid")
    server_start=$(cpu_ticks "$server")
    program_ns=$(cpu_ns "$program_pid")
    server_ns=$(cpu_ns "$server")
    sleep "$seconds"
    program_end=$(cpu_ticks "$program_pid")
    server_end=$(cpu_ticks "$server")
    program_ns=$(($(cpu_ns "$program_pid") - program_ns))
    server_ns=$(($(cpu_ns "$server") - server_ns))
    pss=$(memory_kb "$program_pid" Pss)
    dirty=$(memory_kb "$program_pid" Private_Dirty)
    end_program "$program_pid"
    if [[ -n $front_pid ]]; then
        end_program "$front_pid"
        front_pid=""
    fi
    printf '%s %d %d %d %d %d %d\n' "$1" $((program_end - program_start)) \
        $((server_end - server_start)) "$program_ns" "$server_ns" "$pss" "$dirty"
}

printf 'Idle cost, %s mode%s, %d s a run after %d s settling; %s; %s\n' "$mode" \
    "$([[ $behind == 1 ]] && printf ', Notepad in front')" "$seconds" "$settle" \
    "$(wine --version 2>/dev/null)" "$(date -u +%Y-%m-%dT%H:%MZ)"
printf 'gauge %s\n' "$gauge"
floor_arguments=()
[[ $mode == hd ]] && floor_arguments=(hd)
results="$work/results"
: >"$results"
# Once for all runs: the gauge is ended, not closed, so it never saves its settings, and no
# run pays for the wineserver writing a changed registry to disk (it does so 30 s later).
settings
registry_written=$(now_ms)
start_program Dialvane "$gauge" Dialvane
sleep 2
end_program "$program_pid"
start_program floor "$floor" IdleFloor "${floor_arguments[@]}"
sleep 2
end_program "$program_pid"
while (($(now_ms) < registry_written + 35000)); do
    sleep 1
done
wait_quiet
for ((round = 1; round <= rounds; round++)); do
    measure Dialvane "$gauge" Dialvane >>"$results"
    measure floor "$floor" IdleFloor "${floor_arguments[@]}" >>"$results"
done

awk -v ticks="$ticks" '
    function ratio(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "n/a" }
    BEGIN {
        print "| run | program | own CPU s | wineserver CPU s | CPU s | CPU s, schedstat | Pss MB | private dirty MB |"
        print "|---|---|---|---|---|---|---|---|"
    }
    {
        run++
        own = $2 / ticks; srv = $3 / ticks; fine = ($4 + $5) / 1e9
        printf "| %d | %s | %.2f | %.2f | %.2f | %.3f | %.1f | %.1f |\n", run, $1, own, srv,
            own + srv, fine, $6 / 1024, $7 / 1024
        n[$1]++; cpu[$1] += own + srv; precise[$1] += fine; pss[$1] += $6 / 1024
        dirty[$1] += $7 / 1024
    }
    END {
        d = "Dialvane"; f = "floor"
        for (k in n) { cpu[k] /= n[k]; precise[k] /= n[k]; pss[k] /= n[k]; dirty[k] /= n[k] }
        printf "\nmeans: Dialvane %.2f s CPU (%.3f s schedstat), Pss %.1f MB, private dirty %.1f MB\n",
            cpu[d], precise[d], pss[d], dirty[d]
        printf "       floor    %.2f s CPU (%.3f s schedstat), Pss %.1f MB, private dirty %.1f MB\n",
            cpu[f], precise[f], pss[f], dirty[f]
        printf "Dialvane/floor: CPU %s (schedstat %s); Pss %s (%+.1f MB); private dirty %s (%+.1f MB)\n",
            ratio(cpu[d], cpu[f]), ratio(precise[d], precise[f]), ratio(pss[d], pss[f]),
            pss[d] - pss[f], ratio(dirty[d], dirty[f]), dirty[d] - dirty[f]
    }' "$results"
