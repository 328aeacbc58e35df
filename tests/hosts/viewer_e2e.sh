#!/usr/bin/env bash
# End-to-end test of kvo-viewer on a virtual X server, with a real pointer
# (xdotool) and screenshots of the whole screen (ImageMagick import):
#  1. drag the horizontal scale: the range changes by the pan amount and the
#     scale's picture moves as far as the pointer did;
#  2. click into the chart: the measuring crosshair moves to the click.
#
# usage: viewer_e2e.sh <kvo-viewer> <work dir> [scale] [chart]
# (the parts to run; both when none is named)
set -euo pipefail
viewer=$1
work=$2
shift 2
parts="${*:-scale chart}"
has_part() { [[ " $parts " == *" $1 "* ]]; }
rm -rf "$work"
mkdir -p "$work"

# A free display number: no lock file and no socket.
display=""
for n in $(seq 91 140); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display number"; exit 1; }

pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=$display
# Pixel-exact checks: one device pixel per logical pixel, whatever the
# caller's desktop settings.
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI
for _ in $(seq 1 100); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool getdisplaygeometry >/dev/null || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }

# start_viewer <tab> <report file>: starts the viewer on a page and waits
# until it has reported its layout.
viewer_pid=""
start_viewer() {
  QT_QPA_PLATFORM=xcb "$viewer" --tab "$1" --report "$2" >>"$work/viewer.log" 2>&1 &
  viewer_pid=$!
  pids+=("$viewer_pid")
  for _ in $(seq 1 200); do
    grep -q '^ready' "$2" 2>/dev/null && break
    sleep 0.1
  done
  grep -q '^ready' "$2" 2>/dev/null || { echo "viewer did not report ready"; cat "$work/viewer.log"; exit 1; }
  sleep 0.5  # let the first frames settle
}
# await <report file> <pattern>: until the report has a line matching it.
await() {
  for _ in $(seq 1 100); do
    grep -q -- "$2" "$1" && return 0
    sleep 0.05
  done
  echo "viewer did not report: $2"; cat "$1"; exit 1
}

# ---- 1. Scale page --------------------------------------------------------------
if has_part scale; then
report=$work/report.txt
start_viewer Scale "$report"

# widget <name> x y w h (global pixels)
read -r _ _ sx sy sw sh < <(grep '^widget horizontal ' "$report")
read -r _ _ lo0 hi0 ml mr base < <(grep '^scale horizontal ' "$report")
echo "horizontal scale at $sx,$sy size ${sw}x$sh, range $lo0..$hi0, margins $ml $mr"

import -window root "$work/before.png"

# Drag right by 'shift' pixels along the middle of the scale. The scale
# takes its anchor at the first move with the button held, so the press is
# followed by a one-pixel move first. After each step the script waits until
# the viewer reports that the scale saw the move: the X server must not merge
# the anchor move into a later one.
shift=120
y=$((sy + sh / 2))
x0=$((sx + sw / 3))
xdotool mousemove "$x0" "$y"
await "$report" "^move horizontal $((x0 - sx)) $((y - sy)) -"
xdotool mousedown 1
xdotool mousemove $((x0 + 1)) "$y"
await "$report" "^move horizontal $((x0 + 1 - sx)) $((y - sy)) left"
for step in 20 40 60 80 100 "$shift"; do
  xdotool mousemove $((x0 + 1 + step)) "$y"
  await "$report" "^move horizontal $((x0 + 1 + step - sx)) $((y - sy)) left"
done
xdotool mouseup 1
await "$report" "^up horizontal "
sleep 0.5  # the repaint reaches the screen
import -window root "$work/after.png"

# The range must have moved by the pan amount of the drag:
# e = shift * (high - low) / (width - margins).
last=$(grep '^range horizontal ' "$report" | tail -n 1 || true)
[ -n "$last" ] || { echo "the drag did not change the range"; cat "$report"; exit 1; }
read -r _ _ lo1 hi1 <<<"$last"
python3 - "$lo0" "$hi0" "$lo1" "$hi1" "$shift" "$sw" "$ml" "$mr" <<'PY'
import sys
lo0, hi0, lo1, hi1 = map(float, sys.argv[1:5])
shift, w, ml, mr = map(int, sys.argv[5:9])
e = shift * (hi0 - lo0) / (w - ml - mr)
ok = abs(lo1 - (lo0 - e)) < 1e-6 * abs(hi0 - lo0) and abs(hi1 - (hi0 - e)) < 1e-6 * abs(hi0 - lo0)
print(f"range {lo0}..{hi0} -> {lo1}..{hi1}, expected {lo0 - e}..{hi0 - e}")
sys.exit(0 if ok else 1)
PY

# The picture of the scale must have moved right by the drag. The pan may
# choose another tick step for the new range, so the strip is not simply
# shifted; but every major tick value of the coarser division is a major tick
# of the finer one, and each such tick must now sit 'shift' pixels (give or
# take a pixel: the pan spreads the drag over width - margins pixels, the
# transform over one pixel less) further right. Major ticks are the columns
# dark on all six rows below the base line (minor ticks are four rows long).
convert "$work/before.png" -crop "${sw}x${sh}+${sx}+${sy}" -colorspace gray -depth 8 "gray:$work/before.raw"
convert "$work/after.png" -crop "${sw}x${sh}+${sx}+${sy}" -colorspace gray -depth 8 "gray:$work/after.raw"
python3 - "$work/before.raw" "$work/after.raw" "$sw" "$sh" "$shift" "$ml" "$mr" "$base" <<'PY'
import sys
a = open(sys.argv[1], "rb").read()
b = open(sys.argv[2], "rb").read()
w, h, shift, ml, mr, base = map(int, sys.argv[3:9])
assert len(a) == w * h and len(b) == w * h, "crop size"
def majors(img):
    return [x for x in range(ml, w - mr)
            if all(img[(base + r) * w + x] < 128 for r in range(1, 7))]
ta, tb = majors(a), majors(b)
print(f"major ticks before {ta}\nmajor ticks after  {tb}")
if len(ta) < 3 or len(tb) < 3:
    sys.exit("too few major ticks found: the scale was not drawn as expected")
def moved(src, dst, s):
    # Ticks of src that stay inside the axis after moving by s, and how many
    # of them land on a tick of dst.
    inside = [x for x in src if ml <= x + s < w - mr]
    hits = [x for x in inside if any(abs(x + s - y) <= 1 for y in dst)]
    return len(inside), len(hits)
coarse_first = len(ta) <= len(tb)
n, hit = moved(ta, tb, shift) if coarse_first else moved(tb, ta, -shift)
print(f"{hit} of {n} ticks moved by {shift} pixels")
if n < 2 or hit != n:
    sys.exit("the picture did not move as the drag did")
n0, hit0 = moved(ta, tb, 0) if coarse_first else moved(tb, ta, 0)
if n0 and hit0 == n0:
    sys.exit("the ticks did not move at all")
PY

kill "$viewer_pid"
wait "$viewer_pid" 2>/dev/null || true
fi

# ---- 2. Chart page --------------------------------------------------------------
# A click into the data area moves the measuring crosshair (a dotted green
# vertical line) there: the clicked column turns green, and the column where
# the crosshair stood before does not stay green.
if has_part chart; then
report=$work/chart-report.txt
start_viewer Chart "$report"
read -r _ _ cx cy cw ch < <(grep '^widget chart ' "$report")
echo "chart at $cx,$cy size ${cw}x$ch"
import -window root "$work/chart-before.png"
click_x=$((cx + cw * 3 / 10))
click_y=$((cy + ch / 2))
xdotool mousemove "$click_x" "$click_y"
sleep 0.2
xdotool click 1
await "$report" "^crosshair "
sleep 0.5
# Move the pointer away so that it does not cover the line.
xdotool mousemove 5 5
sleep 0.3
import -window root "$work/chart-after.png"
convert "$work/chart-before.png" -crop "${cw}x${ch}+${cx}+${cy}" -depth 8 "rgb:$work/chart-before.raw"
convert "$work/chart-after.png" -crop "${cw}x${ch}+${cx}+${cy}" -depth 8 "rgb:$work/chart-after.raw"
python3 - "$work/chart-before.raw" "$work/chart-after.raw" "$cw" "$ch" $((click_x - cx)) <<'PY'
import sys
a = open(sys.argv[1], "rb").read()
b = open(sys.argv[2], "rb").read()
w, h, x = map(int, sys.argv[3:6])
assert len(a) == 3 * w * h and len(b) == 3 * w * h, "crop size"
def green(img, col):
    n = 0
    for y in range(h):
        r, g, bl = img[3 * (y * w + col): 3 * (y * w + col) + 3]
        n += g > 110 and r < 90 and bl < 90
    return n
def columns(img):
    return [c for c in range(w) if green(img, c) > h // 8]
before, after = columns(a), columns(b)
print(f"crosshair columns before {before}, after {after}, clicked {x}")
if not any(abs(c - x) <= 1 for c in after):
    sys.exit("no crosshair at the clicked column")
if any(abs(c - x) <= 1 for c in before):
    sys.exit("the crosshair stood there already")
if any(c in after for c in before if abs(c - x) > 1):
    sys.exit("the crosshair stayed where it was")
PY

# Zoom window by dragging, then Back: the picture before the zoom returns
# exactly (every pixel of the chart).
read -r _ _ zx zy zw zh < <(grep "^widget mode$((8)) " "$report")
read -r _ _ bx by bw bh < <(grep '^widget toolBack ' "$report")
xdotool mousemove $((zx + zw / 2)) $((zy + zh / 2))
sleep 0.2
xdotool click 1
sleep 0.3
xdotool mousemove 5 5
sleep 0.3
import -window root "$work/zoom-before.png"
x0=$((cx + cw * 4 / 10)); y0=$((cy + ch * 3 / 10))
x1=$((cx + cw * 6 / 10)); y1=$((cy + ch * 6 / 10))
xdotool mousemove "$x0" "$y0"
sleep 0.2
xdotool mousedown 1
for f in 1 2 3 4; do
  xdotool mousemove $((x0 + (x1 - x0) * f / 4)) $((y0 + (y1 - y0) * f / 4))
  sleep 0.1
done
xdotool mouseup 1
await "$report" "^range "
xdotool mousemove 5 5
sleep 0.5
import -window root "$work/zoom-after.png"
xdotool mousemove $((bx + bw / 2)) $((by + bh / 2))
sleep 0.2
xdotool click 1
await "$report" "^history -1"
xdotool mousemove 5 5
sleep 0.5
import -window root "$work/zoom-back.png"
for f in zoom-before zoom-after zoom-back; do
  convert "$work/$f.png" -crop "${cw}x${ch}+${cx}+${cy}" -depth 8 "rgb:$work/$f.raw"
done
python3 - "$work/zoom-before.raw" "$work/zoom-after.raw" "$work/zoom-back.raw" <<'PY'
import sys
a, b, c = (open(p, "rb").read() for p in sys.argv[1:4])
changed = sum(1 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])
restored = sum(1 for i in range(0, len(a), 3) if a[i:i + 3] != c[i:i + 3])
print(f"zoom changed {changed} pixels; after Back {restored} pixels differ from before")
if changed < 1000:
    sys.exit("the zoom window did not change the picture")
if restored != 0:
    sys.exit("Back did not restore the picture")
PY
kill "$viewer_pid"
wait "$viewer_pid" 2>/dev/null || true
fi

# The screenshots are kept in the work folder for a look.
echo "viewer end-to-end test passed (screenshots in $work)"
