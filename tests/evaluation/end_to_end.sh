#!/usr/bin/env bash
# End-to-end run of the real Knotelbench under Xvfb: click "Create som random values", drag
# point 3 upwards with the mouse, and check on screenshots that the curve appears in its colour
# and that only the middle of it moved.
#
# usage: end_to_end.sh <build-dir> [work-dir]   (exits 77, "skipped", when a tool is missing)
set -euo pipefail

build=${1:?usage: end_to_end.sh <build-dir> [work-dir]}
work=${2:-$build/end_to_end}
app=$build/evaluation/Knotelbench

for tool in xvfb-run xdotool import convert python3 timeout; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -x "$app" ] || { echo "no program at $app"; exit 1; }

if [ -z "${KNOTELBENCH_E2E_DISPLAY:-}" ]; then
    # Re-run this script inside a fresh virtual X server.
    export KNOTELBENCH_E2E_DISPLAY=1
    exec timeout 60 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$build" "$work"
fi

export QT_QPA_PLATFORM=xcb
mkdir -p "$work"
rm -f "$work"/*.png "$work"/*.ppm

"$app" >"$work/knotelbench.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT

wid=$(timeout 15 xdotool search --sync --onlyvisible --name '^Knotelbench' | head -n 1)
[ -n "$wid" ] || { echo "the Knotelbench window did not appear"; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$wid")" # WIDTH, HEIGHT of the client area

# The curve's colour (CurveColor 0xFFFF80) as red, green, blue; the XOR pen yields it on the background.
analyse() { # analyse <command> <ppm files...>
    python3 - "$@" <<'PY'
import sys

CURVE = (128, 255, 255)

def curve_pixels(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:  # P6 header: magic, width, height, maximum
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:]
    found = set()
    for y in range(height):
        row = y * width * 3
        for x in range(width):
            i = row + 3 * x
            if (pixels[i], pixels[i + 1], pixels[i + 2]) == CURVE:
                found.add((x, y))
    return found

def median_y(points, x0, x1):
    ys = sorted(y for x, y in points if x0 <= x <= x1)
    return ys[len(ys) // 2] if ys else None

command = sys.argv[1]
if command == "count":
    print(len(curve_pixels(sys.argv[2])))
elif command == "locate":  # the filled curve's extent and the middle point's pixel
    points = curve_pixels(sys.argv[2])
    xs = [x for x, _ in points]
    mid = (min(xs) + max(xs)) // 2
    print(len(points), min(xs), max(xs), mid, median_y(points, mid - 1, mid + 1))
elif command == "moved":  # before after mid y lift: the middle rose, the ends stayed
    before, after = curve_pixels(sys.argv[2]), curve_pixels(sys.argv[3])
    mid, y, lift = int(sys.argv[4]), int(sys.argv[5]), int(sys.argv[6])
    left = min(x for x, _ in before)
    right = max(x for x, _ in before)
    ends = lambda s: {(x, py) for x, py in s if x <= left + 3 or x >= right - 3}
    new_y = median_y(after, mid - 1, mid + 1)
    print("curve pixels", len(before), "->", len(after), "; middle y", y, "->", new_y)
    ok = len(after) > 0 and new_y is not None and new_y <= y - lift * 2 // 3 and ends(before) == ends(after)
    sys.exit(0 if ok else 1)
PY
}

shot() { # shot <name>: the window's picture as PPM
    import -window "$wid" "$work/$1.png"
    convert "$work/$1.png" "$work/$1.ppm"
}

twips_per_pixel=$(python3 -c "print(9810 / $WIDTH)")
px() { python3 -c "print(round(($1) / $twips_per_pixel))"; }

shot start
initial=$(analyse count "$work/start.ppm")

# "Create som random values": Left 6480, Top 7740, Width 2775, Height 255 twips.
xdotool mousemove --window "$wid" "$(px '6480 + 2775 / 2')" "$(px '7740 + 255 / 2')" click 1
sleep 0.5
shot filled
read -r count left right mid y < <(analyse locate "$work/filled.ppm")
echo "curve: $initial pixels at start, $count after filling, x $left..$right, point 3 at ($mid, $y)"
if [ "$count" -le $((initial * 3)) ] || [ $((right - left)) -lt $((WIDTH / 2)) ]; then
    echo "the generated curve is not shown"
    exit 1
fi

# Drag point 3 upwards by 60 pixels in small steps.
lift=60
xdotool mousemove --window "$wid" "$mid" "$y"
sleep 0.2
xdotool mousedown 1
for step in 1 2 3 4 5 6; do
    sleep 0.1
    xdotool mousemove --window "$wid" "$mid" $((y - step * lift / 6))
done
sleep 0.1
xdotool mouseup 1
sleep 0.5
shot dragged

analyse moved "$work/filled.ppm" "$work/dragged.ppm" "$mid" "$y" "$lift"
echo "screenshots in $work"
