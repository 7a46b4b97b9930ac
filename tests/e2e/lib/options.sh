# shellcheck shell=bash
# The options view of the real window: its places, opening it, typing into it, and the
# message boxes of its autostart buttons.

# Places in the options view at 96 dpi, window pixels (the panel starts at 148, -4).
# shellcheck disable=SC2034  # used by the scenarios
OPTIONS_SIZE_BOX=(282 87)
OPTIONS_WEITER=(293 121)
OPTIONS_AUTOSTART=(393 12)
OPTIONS_NO_AUTOSTART=(393 33)
OPTIONS_CLEAN_UP=(240 33)
OPTIONS_EXIT=(418 116)

# at X Y: the pointer to window pixel X, Y of the window last measured.
at() {
    mouse_move $((WIN_X + $1)) $((WIN_Y + $2))
    sleep 0.1
}
# open_options: a right click on the dial, then the 453 x 148 options view.
open_options() {
    window_geometry
    at 40 20
    click 3
    wait_until 3 eval 'window_geometry; [[ ${WIN_W}x$WIN_H == 453x148 ]]' ||
        fail "no options view: ${WIN_W}x$WIN_H"
}
# Empties the size box and types into it. Keys go to the window itself: one held down by the
# server while the window shrinks from under the pointer would never be let go.
type_size() {
    at "${OPTIONS_SIZE_BOX[@]}"
    click 1
    xdotool key --window "$WIN_ID" End $(printf 'BackSpace %.0s' {1..10})
    xdotool type --window "$WIN_ID" --delay 30 "$1"
}
# gauge_size WxH: true when the window has that size now.
gauge_size() {
    window_geometry
    [[ ${WIN_W}x$WIN_H == "$1" ]]
}
# The box is the second window called Dialvane; Return closes it.
message_box() {
    local id
    for id in $(find_windows Dialvane); do
        [[ $id == "$WIN_ID" ]] || {
            BOX_ID=$id
            return 0
        }
    done
    return 1
}
# Wine may replace the box's X window while showing it, so Return goes to the box there is
# now, once it has settled.
close_message_box() {
    wait_until 5 message_box || fail "no message box after $1"
    local tries
    for tries in 1 2 3; do
        sleep 0.3
        message_box || return 0
        xdotool key --window "$BOX_ID" Return 2>/dev/null || true
        release_keys
        wait_until 1 eval '! message_box' && return 0
    done
    fail "the message box after $1 stayed open"
}
# box_texts: the texts the panel's boxes hold, one a line, as the program itself answers: a
# key it was given before the question is in its box by then.
box_texts() {
    beside_program accessibility_probe.exe boxes
}
