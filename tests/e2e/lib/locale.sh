# shellcheck shell=bash
# C library locales that scenarios pass to Wine (LC_ALL=...), which takes number formats
# from them. A locale made while a session runs reaches only the second process started
# with it, so the session makes them before it starts Wine.

E2E_LOCALES=${E2E_LOCALES:-de_DE.UTF-8}

# de_DE.UTF-8 and de_DE.utf8 name the same locale.
locale_known() {
    local wanted=${1,,} name
    wanted=${wanted//-/}
    while IFS= read -r name; do
        name=${name,,}
        [[ ${name//-/} == "$wanted" ]] && return 0
    done < <(locale -a 2>/dev/null)
    return 1
}

# Needs root and the package "locales"; without them a scenario that needs one says so.
make_locales() {
    local name
    for name in $E2E_LOCALES; do
        locale_known "$name" && continue
        if [[ $(id -u) == 0 ]] && command -v localedef >/dev/null; then
            printf 'making the locale %s\n' "$name"
            localedef -i "${name%%.*}" -c -f UTF-8 "$name" >/dev/null 2>&1 || true
        fi
        locale_known "$name" || printf 'warning: locale %s is missing\n' "$name" >&2
    done
    return 0
}
