#!/usr/bin/env bash
# Makes the README's pictures from the real program on the private test
# desktop, at twice the scale so that they are crisp on today's screens:
# docs/screenshot.png (the toy at rest before two windows), docs/menu.png
# (its menu open) and docs/walk.gif (a wind and the first steps of its walk).
#
#   scripts/make-pictures.sh [PROGRAM]     (default: build/zorrel)
set -euo pipefail
cd "$(dirname "$0")/.."
# Inside the private desktop, which sets ZORREL_SINK_RAW, or start one.
[ -n "${ZORREL_SINK_RAW:-}" ] || exec scripts/with-test-desktop.sh "$0" "$@"

program=$(realpath "${1:-build/zorrel}")
work=$(mktemp -d /tmp/zorrel-pictures.XXXXXX)
pid=
others=()
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  for other in "${others[@]}"; do kill "$other" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

scale=2
# A plain desktop with two windows, so that what shows around the creature
# and through its outline is plain to see.
convert -size 1024x768 xc:'#6f9fc8' "$work/desktop.png"
# display exits with 1 on Xvfb even though it has set the background.
display -window root "$work/desktop.png" || true
convert -size 300x220 xc:'#fdf6e3' -fill '#586e75' -pointsize 15 \
  -annotate +16+30 'Things to do' -annotate +16+62 '- wind the clock' \
  -annotate +16+88 '- oil the key' -annotate +16+114 '- let it walk' "$work/notes.png"
convert -size 260x180 gradient:'#f4d58d'-'#bf4342' "$work/sunset.png"
display -title Notes -geometry +330+250 "$work/notes.png" &
others+=($!)
display -title Sunset -geometry +560+380 "$work/sunset.png" &
others+=($!)
sleep 1

QT_SCALE_FACTOR=$scale "$program" &
pid=$!
window=
for _ in $(seq 200); do
  window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  sleep 0.05
done
[ -n "$window" ] || { echo "make-pictures: the toy's window did not appear" >&2; exit 1; }

# Where the window is, once the window manager has placed it.
geometry() {
  xwininfo -id "$window" |
    awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
         /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}
last=
for _ in $(seq 50); do
  sleep 0.2
  now=$(geometry)
  [ "$now" = "$last" ] && break
  last=$now
done
read -r x y w h <<<"$now"

mkdir -p docs
margin=60
wide=$((2 * margin))
import -window root "$work/root.png"
convert "$work/root.png" -crop "$((w + 2 * wide))x$((h + 2 * margin))+$((x - wide))+$((y - margin))" \
  +repage docs/screenshot.png

# The menu, opened with a right click on the body.
body_x=$((x + 37 * scale))
body_y=$((y + 38 * scale))
xdotool mousemove "$body_x" "$body_y" click 3
sleep 1
import -window root "$work/menu.png"
xdotool key Escape
convert "$work/menu.png" -crop "$((w + wide + 180))x$((h + 3 * margin))+$((x - wide))+$((y - margin))" \
  +repage docs/menu.png
sleep 0.5

# The animation: the toy is held on its body and wound with right clicks,
# then let go; it walks to the left.
margin=16
walk=$((180 * scale))
crop="$((w + walk + 2 * margin))x$((h + 2 * margin))+$((x - walk - margin))+$((y - margin))"
frames=0
shoot() {
  import -silent -window root -crop "$crop" +repage "$(printf '%s/frame%03d.png' "$work" "$frames")"
  frames=$((frames + 1))
}
start=$(date +%s%N)
shoot
shoot
xdotool mousemove "$body_x" "$body_y"
xdotool mousedown 1
for _ in 1 2 3 4 5; do
  xdotool click 3
  shoot
  shoot
done
xdotool mouseup 1
xdotool mousemove 5 5
for _ in $(seq 60); do shoot; done
elapsed=$((($(date +%s%N) - start) / 10000000)) # hundredths of a second
delay=$((elapsed / frames))

convert -delay "$delay" -loop 0 "$work"/frame*.png -colors 64 -layers Optimize docs/walk.gif
size=$(stat -c %s docs/walk.gif)
echo "docs/screenshot.png ($(identify -format %wx%h docs/screenshot.png)), docs/menu.png ($(identify -format %wx%h docs/menu.png)), docs/walk.gif ($frames frames, ${delay}/100 s each, $size bytes)"
[ "$size" -lt 1000000 ] || { echo "make-pictures: docs/walk.gif is over 1 MB" >&2; exit 1; }
