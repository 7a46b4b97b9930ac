#!/usr/bin/env bash
# Runs a Windows console program inside the shared session: wine_run.sh ENV_FILE EXE [ARGS...]
set -euo pipefail

main() {
    local env_file=$1 exe=$2
    shift 2
    [[ -f $env_file ]] || {
        printf 'no Wine session (%s): run the fixture first\n' "$env_file" >&2
        return 1
    }
    # shellcheck source=/dev/null
    source "$env_file"
    cd "$(dirname -- "$exe")"
    # Wine's console output has CRLF line ends.
    wine "./$(basename -- "$exe")" "$@" </dev/null 2>&1 | tr -d '\r'
}

main "$@"
