# shellcheck shell=bash
# A fresh Wine prefix with a persistent wineserver, so each wine call costs ~150 ms, not ~1 s.

wine_environment() {
    export WINEPREFIX=$1
    # The same en-US defaults on every machine; a scenario asks for another per process.
    export LC_ALL=C.UTF-8
    export WINEARCH=win64 WINEDEBUG=-all
    # No Mono or Gecko installer dialogs; no Start-menu shortcut copied into the host's menus.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# prefix_create DIR LOG: needs DISPLAY; takes ~10 s (30 s on a busy machine).
# The first program started in a new prefix boots it: Wine runs `wineboot --init` and makes the
# program wait until that has installed the prefix and ended. So the first program here is the
# `reg add` the session needs; a `wineboot -i` of our own would be a second boot on top of the
# first, with a second service manager and its drivers starting while the next program does.
# Wine's errors stay on for this one step: a boot that fails says why in the log.
prefix_create() {
    local dir=$1 log=$2
    wine_environment "$dir"
    mkdir -p "$dir"
    # Wine's daemons get a file, not the caller's pipes, which ctest waits on.
    {
        wineserver -p &&
            # Without a window manager, managed windows lose capture on drags and close 2 s late.
            WINEDEBUG=-all,err+all timeout 150 wine reg add 'HKCU\Software\Wine\X11 Driver' \
                /v Managed /t REG_SZ /d N /f
    } </dev/null >>"$log" 2>&1 && prefix_add_wine_fonts "$dir"
}

# Debian's Wine finds its own fonts (MS Sans Serif, Tahoma, ...) only in the prefix; without
# them every face falls back to a wide one and the panel's captions no longer fit.
prefix_add_wine_fonts() {
    local fonts=/usr/share/wine/fonts
    [[ -d $fonts ]] || return 0
    cp -n -- "$fonts"/* "$1/drive_c/windows/Fonts/"
}

# prefix_destroy DIR: ends every process of this prefix and its wineserver, then removes it.
prefix_destroy() {
    local dir=$1
    [[ -d $dir ]] || return 0
    (
        wine_environment "$dir"
        timeout 30 wineserver -k </dev/null >/dev/null 2>&1 || true
        timeout 30 wineserver -w </dev/null >/dev/null 2>&1 || true
    )
    rm -rf -- "$dir"
}
