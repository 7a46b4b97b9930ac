# shellcheck shell=bash
# The Wine registry from the shell. reg prints CRLF lines like "    name    REG_SZ    data".
# Values with non-ASCII text print in the OEM code page; compare those via `wine reg export`.

# Returns 1 when reg says the key or value is not there. Any other failure (reg could not start,
# or ended badly) fails the scenario: a read that never happened must not pass for a value that
# is missing or empty.
_reg() {
    local output status=0
    output=$(wine reg "$@" </dev/null 2>&1) || status=$?
    output=${output//$'\r'/}
    if ((status != 0)); then
        [[ $status == 1 && $output == *"Unable to find the "*" registry "@(key|value)* ]] && return 1
        fail "wine reg $* failed (status $status): ${output:-no output}"
    fi
    printf '%s\n' "$output"
}

# reg_get KEY NAME: prints the data (REG_DWORD as a decimal number); returns 1 when the key or
# value is missing, so an empty value and a missing one differ.
reg_get() {
    local key=$1 name=$2 output line rest type data
    output=$(_reg query "$key" /v "$name") || return 1
    while IFS= read -r line; do
        [[ $line == "    $name    "* ]] || continue
        rest=${line#"    $name    "}
        type=${rest%%    *}
        data=${rest#"$type"}
        data=${data#    }
        if [[ $type == REG_DWORD ]]; then
            data=$((data))
        fi
        printf '%s\n' "$data"
        return 0
    done <<<"$output"
    return 1
}

# reg_set KEY NAME TYPE DATA, e.g. reg_set 'HKCU\Software\MEM\Optionen' txtHeight REG_SZ 2000
reg_set() {
    _reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null || fail "could not write $1\\$2"
}

_reg_reads() {
    REG_READ=$(reg_get "$1" "$2") || REG_READ="(missing)"
    [[ $REG_READ == "$3" ]]
}

# expect_reg KEY NAME EXPECTED WHAT: a value the program writes on an action (a release, a
# click) lands a moment after the action shows; waits up to 5 s for it to read EXPECTED.
# After the program has ended, read with reg_get: nothing is on its way then.
expect_reg() {
    wait_until 5 _reg_reads "$1" "$2" "$3" || fail "$4: expected '$3', got '$REG_READ'"
}

reg_has() {
    _reg query "$1" /v "$2" >/dev/null
}

reg_has_key() {
    _reg query "$1" >/dev/null
}

# Deleting what is not there is fine: the aim is that it is gone.
reg_delete_value() {
    reg_has "$1" "$2" || return 0
    _reg delete "$1" /v "$2" /f >/dev/null || fail "could not delete $1\\$2"
}

reg_delete_key() {
    reg_has_key "$1" || return 0
    _reg delete "$1" /f >/dev/null || fail "could not delete $1"
}

# reg_import < LINES: imports the lines (UTF-8) as a .reg file; regedit writes what reg add
# cannot: 64 KiB strings, embedded zeros, raw types (dword:…, hex(2):…, hex(7):…).
reg_import() {
    local file status=0
    file=$(mktemp "${TMPDIR:-/tmp}/dialvane-import.XXXXXX")
    { printf 'Windows Registry Editor Version 5.00\n\n' && cat; } | sed 's/$/\r/' |
        iconv -f UTF-8 -t UTF-16 >"$file.reg"
    wine regedit /s "$(winepath -w "$file.reg")" </dev/null >/dev/null 2>&1 || status=$?
    rm -f -- "$file" "$file.reg"
    ((status == 0)) || fail "regedit could not import the settings"
}

# The next process started sees this many dots per inch (96 is Wine's default).
set_dpi() {
    reg_set 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD "$1"
}

reset_dpi() {
    reg_delete_value 'HKCU\Control Panel\Desktop' LogPixels
}
