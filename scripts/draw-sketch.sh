#!/usr/bin/env bash
# Redraws ui/toroid.bmp, the winding sketch: 653 x 372, 1 bit per pixel,
# palette black then white. Needs ImageMagick and the DejaVu fonts; the
# build uses the committed bitmap, so this runs only when the sketch changes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/ui/toroid.bmp}

cx=165 cy=186 ro=140 ri=66     # ring centre, outer and inner radius
draw=()
draw+=(-fill none -stroke black -strokewidth 4)
draw+=(-draw "circle $cx,$cy $((cx + ro)),$cy" -draw "circle $cx,$cy $((cx + ri)),$cy")

# Ten turns spread over the 330 degrees left of the gap (angles counter-
# clockwise from the right, the gap centred on 0).
turns=$(awk -v cx=$cx -v cy=$cy -v ro=$ro -v ri=$ri 'BEGIN {
    pi = atan2(0, -1)
    for (i = 0; i < 10; i++) {
        a = (15 + i * 330 / 9) * pi / 180
        printf "line %d,%d %d,%d\n", cx + (ri - 6) * cos(a), cy - (ri - 6) * sin(a), cx + (ro + 6) * cos(a), cy - (ro + 6) * sin(a)
    }
    # The two ends: from the outer edge up and to the right, from the inside straight right.
    a = 15 * pi / 180
    printf "line %d,%d %d,%d\n", cx + (ro + 6) * cos(a), cy - (ro + 6) * sin(a), cx + ro + 75, cy - ro * sin(a) - 110
    a = -15 * pi / 180
    printf "line %d,%d %d,%d\n", cx + (ri - 6) * cos(a), cy - (ri - 6) * sin(a), cx + ro + 55, cy - (ri - 6) * sin(a)
}')
while IFS= read -r l; do draw+=(-strokewidth 6 -draw "$l"); done <<< "$turns"

# The gap: two arrows from the label to the two ends of the winding.
arrows=$(awk -v cx=$cx -v cy=$cy -v ro=$ro 'BEGIN {
    pi = atan2(0, -1); r = ro - 14
    for (s = -1; s <= 1; s += 2) {
        a = s * 15 * pi / 180
        tx = cx + r * cos(a); ty = cy - r * sin(a) - s * 6
        fx = cx + ro + 105; fy = cy - s * 26
        printf "line %d,%d %d,%d\n", fx, fy, tx, ty
        d = atan2(ty - fy, tx - fx)
        printf "polygon %d,%d %d,%d %d,%d\n", tx, ty, tx - 22 * cos(d - 0.4), ty - 22 * sin(d - 0.4), tx - 22 * cos(d + 0.4), ty - 22 * sin(d + 0.4)
    }
}')
while IFS= read -r l; do draw+=(-strokewidth 3 -fill black -draw "$l"); done <<< "$arrows"

convert -size 653x372 xc:white "${draw[@]}" \
    -stroke none -fill black -font DejaVu-Sans -pointsize 42 \
    -annotate +430+178 'gap:' -annotate +405+236 '30 degrees' \
    -threshold 50% -type bilevel -colors 2 BMP3:"$out"
echo "wrote $out"
