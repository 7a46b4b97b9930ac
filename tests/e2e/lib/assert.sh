# shellcheck shell=bash
# Assertions: a failed one names the scenario line and ends the scenario (its trap cleans up).

# The first caller outside this library, as file:line.
_scenario_location() {
    local i
    for ((i = 1; i < ${#BASH_SOURCE[@]}; i++)); do
        if [[ ${BASH_SOURCE[i]} != "$E2E_LIB"/* ]]; then
            printf '%s:%s\n' "${BASH_SOURCE[i]##*/}" "${BASH_LINENO[i - 1]}"
            return
        fi
    done
    printf 'unknown\n'
}

# In a scenario, a failure inside $(...) ends the whole scenario, not just that subshell: its
# caller would otherwise go on with an empty result. (The harness's own checks catch failures
# in subshells on purpose; they run without scenario_begin.)
E2E_FAIL_ENDS_SCENARIO=""
fail() {
    printf 'FAIL (%s): %s\n' "$(_scenario_location)" "$*" >&2
    [[ -z $E2E_FAIL_ENDS_SCENARIO || $BASHPID == "$$" ]] || kill -USR1 "$$" 2>/dev/null
    exit 1
}

note() {
    printf '  %s\n' "$*"
}

# assert_eq EXPECTED ACTUAL WHAT
assert_eq() {
    [[ $1 == "$2" ]] || fail "$3: expected '$1', got '$2'"
}

# assert_between MIN MAX ACTUAL WHAT  (integers, both ends included)
assert_between() {
    [[ $3 =~ ^-?[0-9]+$ ]] || fail "$4: '$3' is not a whole number"
    (($1 <= $3 && $3 <= $2)) || fail "$4: $3 is not within $1..$2"
}

# assert_ok WHAT COMMAND [ARGS...]
assert_ok() {
    local what=$1
    shift
    "$@" || fail "$what (failed: $*)"
}
