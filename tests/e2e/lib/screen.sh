# shellcheck shell=bash
# Screenshots and exact pixel reads. The PNG is for people; the raw RGB copy is for od.

SHOT_PNG=""
SHOT_RGB=""

# screenshot NAME: the whole screen to $E2E_ARTIFACTS/NAME.png; later pixel reads use it.
screenshot() {
    local png="$E2E_ARTIFACTS/$1.png"
    import -window root "$png" 2>/dev/null || fail "screenshot $1 failed"
    load_shot "$png"
}

# load_shot PNG: makes PNG (screen-sized) the picture that pixel reads use.
load_shot() {
    local name
    name=$(basename -- "$1" .png)
    SHOT_PNG=$1
    SHOT_RGB="$E2E_SCENARIO_TMP/$name.rgb"
    convert "$SHOT_PNG" -depth 8 "rgb:$SHOT_RGB" || fail "$SHOT_PNG: no raw copy"
    [[ $(stat -c %s "$SHOT_RGB") == $((E2E_SCREEN_W * E2E_SCREEN_H * 3)) ]] ||
        fail "$SHOT_PNG is not ${E2E_SCREEN_W}x$E2E_SCREEN_H"
}

_in_shot() {
    [[ -n $SHOT_RGB ]] || fail "no screenshot taken yet"
    (($1 >= 0 && $2 >= 0 && $1 < E2E_SCREEN_W && $2 < E2E_SCREEN_H)) ||
        fail "pixel $1,$2 is off the ${E2E_SCREEN_W}x$E2E_SCREEN_H screen"
}

# pixel X Y -> RRGGBB (upper case) in screen coordinates.
pixel() {
    _in_shot "$1" "$2"
    local bytes
    bytes=$(od -An -v -tx1 -j $((($2 * E2E_SCREEN_W + $1) * 3)) -N 3 "$SHOT_RGB")
    bytes=${bytes//[[:space:]]/}
    printf '%s\n' "${bytes^^}"
}

# window_pixel X Y -> RRGGBB at X,Y inside the window last measured by window_geometry.
window_pixel() {
    pixel $((WIN_X + $1)) $((WIN_Y + $2))
}

# A needle red: strong red, little green and blue.
is_reddish() {
    local r=$((16#${1:0:2})) g=$((16#${1:2:2})) b=$((16#${1:4:2}))
    ((r >= 180 && g <= 80 && b <= 80))
}

# count_colour_in_rect X Y W H COLOUR [TOLERANCE]: pixels matching COLOUR, which is RRGGBB
# (each channel within TOLERANCE, default 0) or the word reddish.
count_colour_in_rect() {
    local x=$1 y=$2 w=$3 h=$4 colour=$5 tolerance=${6:-0} row r=-1 g=-1 b=-1
    _in_shot "$x" "$y"
    _in_shot $((x + w - 1)) $((y + h - 1))
    if [[ $colour != reddish ]]; then
        [[ $colour =~ ^[0-9A-Fa-f]{6}$ ]] || fail "count_colour_in_rect: bad colour '$colour'"
        r=$((16#${colour:0:2})) g=$((16#${colour:2:2})) b=$((16#${colour:4:2}))
    fi
    for ((row = y; row < y + h; row++)); do
        od -An -v -tu1 -w3 -j $(((row * E2E_SCREEN_W + x) * 3)) -N $((w * 3)) "$SHOT_RGB"
    done | awk -v r="$r" -v g="$g" -v b="$b" -v tol="$tolerance" '
        function near(a, c) { return (a > c ? a - c : c - a) <= tol }
        r < 0 { n += ($1 >= 180 && $2 <= 80 && $3 <= 80); next }
        { n += (near($1, r) && near($2, g) && near($3, b)) }
        END { print n + 0 }'
}

# count_reddish_along X1 Y1 X2 Y2 SAMPLES: how many of SAMPLES evenly spaced points on the
# segment (ends included) are reddish.
count_reddish_along() {
    local x1=$1 y1=$2 x2=$3 y2=$4 samples=$5 i x y hits=0
    for ((i = 0; i < samples; i++)); do
        x=$(((x1 * (samples - 1 - i) + x2 * i + (samples - 1) / 2) / (samples - 1)))
        y=$(((y1 * (samples - 1 - i) + y2 * i + (samples - 1) / 2) / (samples - 1)))
        if is_reddish "$(pixel "$x" "$y")"; then
            hits=$((hits + 1))
        fi
    done
    printf '%d\n' "$hits"
}

# screen_backdrop RRGGBB: the screen behind every window takes this colour, so a window drawn
# black can be told from the screen; the next scenario starts on black again.
screen_backdrop() {
    timeout 5 display -window root -size 8x8 "xc:#$1" 2>/dev/null || true
    if [[ $1 == 000000 ]]; then
        rm -f -- "$E2E_SESSION_DIR/backdrop"
    else
        printf '%s\n' "$1" >"$E2E_SESSION_DIR/backdrop"
    fi
}

# wait_drawn [NAME]: a shown window is not yet a drawn one; waits until the middle of the window
# last measured shows something other than the screen behind it, then keeps that screenshot.
wait_drawn() {
    local name=${1:-window} middle_x=$((WIN_W / 2)) middle_y=$((WIN_H / 2))
    wait_until 10 eval 'screenshot "$name"; ! is_screen "$middle_x" "$middle_y"' ||
        fail "the window was not drawn: $(window_pixel "$middle_x" "$middle_y") in its middle"
}
