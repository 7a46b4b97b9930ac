# shellcheck shell=bash
# Mouse and keyboard through xdotool, in screen pixels. Buttons: 1 left, 2 middle, 3 right.
# Bare Xvfb focus follows the pointer: keys reach the window under it.

E2E_LAST_CLICK_MS=0

mouse_move() {
    xdotool mousemove "$1" "$2"
}

# Moves the pointer to the middle of the window last measured by window_geometry.
pointer_to_window() {
    mouse_move $((WIN_X + WIN_W / 2)) $((WIN_Y + WIN_H / 2))
}

mouse_down() {
    xdotool mousedown "${1:-1}"
}

mouse_up() {
    xdotool mouseup "${1:-1}"
}

# click [BUTTON]: a single click. Two clicks within ~500 ms would be a double-click, so it
# waits out the rest of that time after the previous one.
click() {
    local since=$(($(now_ms) - E2E_LAST_CLICK_MS))
    if ((since < 550)); then
        sleep "0.$(printf '%03d' $((550 - since)))"
    fi
    xdotool click "${1:-1}"
    E2E_LAST_CLICK_MS=$(now_ms)
}

# double_click [BUTTON]: down, up, down, up 80 ms apart, as Windows expects.
double_click() {
    xdotool click --repeat 2 --delay 80 "${1:-1}"
    E2E_LAST_CLICK_MS=$(now_ms)
}

# drag X1 Y1 X2 Y2 [STEPS [BUTTON]]: press, move in STEPS even steps, release.
drag() {
    local x1=$1 y1=$2 x2=$3 y2=$4 steps=${5:-10} button=${6:-1} i
    mouse_move "$x1" "$y1"
    sleep 0.1
    mouse_down "$button"
    sleep 0.1
    for ((i = 1; i <= steps; i++)); do
        mouse_move $((x1 + (x2 - x1) * i / steps)) $((y1 + (y2 - y1) * i / steps))
        sleep 0.05
    done
    sleep 0.1
    mouse_up "$button"
    E2E_LAST_CLICK_MS=$(now_ms)
}

# key_tap KEY: a quick press, e.g. key_tap Return; GetAsyncKeyState may miss it.
key_tap() {
    xdotool key "$1"
}

# key_hold KEY [SECONDS]: held across at least one 100-ms poll of GetAsyncKeyState.
key_hold() {
    xdotool keydown "$1"
    sleep "${2:-0.35}"
    xdotool keyup "$1"
}

# release_keys: lets go of every key a scenario presses. xdotool sends a key to the window that
# has the focus through the server; when it dies between the press and the release (a window
# gone in between), the server holds the key and repeats it into whatever comes next.
release_keys() {
    xdotool keyup Return BackSpace End Escape F12 shift+F10 Menu 2>/dev/null || true
}

# clipboard_text: the text the X clipboard holds, empty when it holds none. Its owner answers
# the question; one that never answers (seen once here from Wine's side after EmptyClipboard)
# counts as holding no text after 2 s rather than holding the scenario to its time-out.
clipboard_text() {
    timeout 2 xclip -o -selection clipboard 2>/dev/null || true
}
