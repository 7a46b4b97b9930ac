# shellcheck shell=bash
# Finding the gauge needle in a screenshot. The needle is a 4-px red line from the pivot,
# turned in steps of 6 degrees clockwise from straight up, so there are 60 places to look.
# The hub covers its base; the labels drawn over it are left out of the samples.

# needle_find PIVOT_X PIVOT_Y LENGTH HUB_RADIUS: window pixels (decimals allowed), in the last
# screenshot of the window measured by window_geometry. Sets
#   NEEDLE_STEP    the step (0 = up, 15 = right) whose line is reddest
#   NEEDLE_HITS    reddish samples on the outer half of that line, of NEEDLE_SAMPLES: those of
#                  12 not hidden by a label's text inside the rectangles in NEEDLE_COVERED
#                  ("x y w h;…", window pixels: the labels, which are drawn over the needle)
#   NEEDLE_BEYOND  reddish samples of 4 on the same line 3..6 px past the tip
#   NEEDLE_STRAY   reddish pixels outside the hub more than 4 px away from that line: 2 px of
#                  half width and up to 2 px for the tip rounded to whole twips and pixels
needle_find() {
    local pivot_x=$1 pivot_y=$2 length=$3 hub=$4 row result
    _in_shot "$WIN_X" "$WIN_Y"
    _in_shot $((WIN_X + WIN_W - 1)) $((WIN_Y + WIN_H - 1))
    result=$(
        for ((row = WIN_Y; row < WIN_Y + WIN_H; row++)); do
            od -An -v -tu1 -w3 -j $(((row * E2E_SCREEN_W + WIN_X) * 3)) -N $((WIN_W * 3)) \
                "$SHOT_RGB"
        done | awk -v w="$WIN_W" -v h="$WIN_H" -v cx="$pivot_x" -v cy="$pivot_y" \
            -v len="$length" -v hub="$hub" -v samples=12 -v covers="${NEEDLE_COVERED:-}" '
            {
                red[(NR - 1) % w, int((NR - 1) / w)] = ($1 >= 180 && $2 <= 80 && $3 <= 80)
                # Grey text, or its edge blended with the needle; the face is far lighter.
                inked[(NR - 1) % w, int((NR - 1) / w)] = ($2 < 200 && $3 < 200)
            }
            function at(r, angle,    x, y) {
                x = int(cx + r * sin(angle) + 0.5)
                y = int(cy - r * cos(angle) + 0.5)
                return (x >= 0 && y >= 0 && x < w && y < h) ? red[x, y] : 0
            }
            function hidden(r, angle,    x, y, k, c) {
                x = int(cx + r * sin(angle) + 0.5)
                y = int(cy - r * cos(angle) + 0.5)
                if (red[x, y] || !inked[x, y]) return 0
                for (k = 1; k <= ncover; k++) {
                    split(cover[k], c, " ")
                    if (x >= c[1] && x < c[1] + c[3] && y >= c[2] && y < c[2] + c[4]) return 1
                }
                return 0
            }
            # Distance from x,y to the segment from the pivot along angle for len pixels.
            function off_line(x, y, angle,    ux, uy, t, px, py) {
                ux = sin(angle); uy = -cos(angle)
                t = (x - cx) * ux + (y - cy) * uy
                t = t < 0 ? 0 : (t > len ? len : t)
                px = cx + t * ux - x; py = cy + t * uy - y
                return sqrt(px * px + py * py)
            }
            END {
                ncover = covers == "" ? 0 : split(covers, cover, ";")
                best = -1
                for (step = 0; step < 60; step++) {
                    angle = step * 6 * atan2(0, -1) / 180
                    hits = 0; seen = 0
                    for (i = 0; i < samples; i++) {
                        r = len / 2 + (len - 1 - len / 2) * i / (samples - 1)
                        if (hidden(r, angle)) continue
                        seen++
                        hits += at(r, angle)
                    }
                    if (hits > best) { best = hits; best_step = step; best_angle = angle; best_seen = seen }
                }
                beyond = 0
                for (r = len + 3; r <= len + 6; r++) beyond += at(r, best_angle)
                stray = 0
                for (y = 0; y < h; y++) for (x = 0; x < w; x++) {
                    if (!red[x, y] || (x - cx) ^ 2 + (y - cy) ^ 2 <= hub ^ 2) continue
                    stray += off_line(x, y, best_angle) > 4
                }
                print best_step, best, best_seen, beyond, stray
            }'
    )
    # shellcheck disable=SC2034  # read by the scenario
    read -r NEEDLE_STEP NEEDLE_HITS NEEDLE_SAMPLES NEEDLE_BEYOND NEEDLE_STRAY <<<"$result"
}
