#!/usr/bin/env bash
# Remakes the README's pictures from a build: docs/knotelbench.png with Knotelbench's own
# --screenshot option, and docs/curve-drag.png, the control in the middle of a drag with the
# tracker on, driven with xdotool. Both run under a virtual X server (Xvfb).
#
# usage: docs/make-screenshots.sh [build-dir]   (default: build)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
app=$build/evaluation/Knotelbench
docs=$root/docs
[ -x "$app" ] || { echo "no program at $app; build first (./knotel run or cmake --build)"; exit 1; }

if [ -z "${KNOTEL_SCREENSHOT_DISPLAY:-}" ]; then
    export KNOTEL_SCREENSHOT_DISPLAY=1
    exec timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$build"
fi
export QT_QPA_PLATFORM=xcb

"$app" --screenshot "$docs/knotelbench.png"

work=${KEEP:-$(mktemp -d)}
"$app" >"$work/knotelbench.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; [ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
wid=$(timeout 15 xdotool search --sync --onlyvisible --name '^Knotelbench' | head -n 1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$wid")" # WIDTH, HEIGHT of the client area
px() { python3 -c "print(round(($1) * $WIDTH / 9810))"; } # twips of the form to pixels

# "Create som random values".
xdotool mousemove --window "$wid" "$(px '6480 + 2775 / 2')" "$(px '7740 + 255 / 2')" click 1
sleep 0.5

# The middle break point: the middle column of the curve's colour (CurveColor 0xFFFF80).
import -window "$wid" "$work/filled.png"
convert "$work/filled.png" -depth 8 "$work/filled.ppm"
read -r x y < <(python3 - "$work/filled.ppm" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
fields, pos = [], 0
while len(fields) < 4:
    while data[pos:pos + 1].isspace():
        pos += 1
    start = pos
    while not data[pos:pos + 1].isspace():
        pos += 1
    fields.append(data[start:pos])
width, height, pixels = int(fields[1]), int(fields[2]), data[pos + 1:]
points = [(i // 3 % width, i // 3 // width) for i in range(0, width * height * 3, 3)
          if pixels[i:i + 3] == b"\x80\xff\xff"]
mid = (min(p[0] for p in points) + max(p[0] for p in points)) // 2
ys = sorted(py for px, py in points if abs(px - mid) <= 1)
print(mid, ys[len(ys) // 2])
PY
)

# "1" into the ViewTracker box turns the tracker on.
xdotool mousemove --window "$wid" "$(px '3240 + 700')" "$(px '7500 + 140')" click 1
xdotool key ctrl+a
xdotool type "1 ViewTracker"
sleep 0.3

# Drag it up and a little right, and take the picture while the button is still down.
echo "point at $x $y" >&2
xdotool mousemove --window "$wid" "$x" "$y" mousedown 1
for step in 1 2 3 4 5 6; do
    sleep 0.1
    xdotool mousemove --window "$wid" $((x + step * 3)) $((y - step * 7))
done
sleep 0.3
import -window "$wid" "$work/drag.png"
xdotool mouseup 1
# Keep the control only: its place on the form is 240, 150, 9165 x 4815 twips.
convert "$work/drag.png" -crop "$(px 9165)x$(px 4815)+$(px 240)+$(px 150)" +repage -strip "$docs/curve-drag.png"
echo "wrote $docs/knotelbench.png and $docs/curve-drag.png"
