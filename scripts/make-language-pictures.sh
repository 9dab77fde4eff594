#!/usr/bin/env bash
# Makes the pictures of the translated toy from the real program on the
# private test desktop, at twice the scale like scripts/make-pictures.sh: for
# German and Japanese its menu open (docs/menu-de.png, docs/menu-ja.png) and
# its about box (docs/about-de.png, docs/about-ja.png).
#
#   scripts/make-language-pictures.sh [PROGRAM]     (default: build/zorrel)
set -euo pipefail
cd "$(dirname "$0")/.."
# Inside the private desktop, which sets ZORREL_SINK_RAW, or start one.
[ -n "${ZORREL_SINK_RAW:-}" ] || exec scripts/with-test-desktop.sh "$0" "$@"

program=$(realpath "${1:-build/zorrel}")
work=$(mktemp -d /tmp/zorrel-language-pictures.XXXXXX)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

scale=2
convert -size 1024x768 xc:'#6f9fc8' "$work/desktop.png"
# display exits with 1 on Xvfb even though it has set the background.
display -window root "$work/desktop.png" || true
mkdir -p docs

# Waits for a visible window of the toy's whose name matches and that is not
# the window given second, and prints it.
window_of() {
  local found=
  for _ in $(seq 200); do
    found=$(xdotool search --onlyvisible --pid "$pid" --name "$1" 2>/dev/null |
      grep -vx "${2:-none}" | head -n1 || true)
    [ -n "$found" ] && break
    sleep 0.05
  done
  [ -n "$found" ] || { echo "make-language-pictures: no window named $1" >&2; exit 1; }
  echo "$found"
}
declare -A locale=([de]=de_DE.UTF-8 [ja]=ja_JP.UTF-8)
geometry() {
  xwininfo -id "$1" |
    awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
         /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}

for language in de ja; do
  # Only LANG, as a desktop session of that language sets it.
  env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG="${locale[$language]}" \
    QT_SCALE_FACTOR=$scale "$program" &
  pid=$!
  toy=$(window_of '^Zorrel$')
  sleep 1
  read -r x y w h <<<"$(geometry "$toy")"

  # The menu, opened with a right click on the body.
  xdotool mousemove $((x + 37 * scale)) $((y + 38 * scale)) click 3
  sleep 1
  import -window root "$work/menu.png"
  convert "$work/menu.png" -crop "$((w + 360))x$((h + 260))+$((x - 60))+$((y - 40))" +repage \
    "docs/menu-$language.png"

  # The about box, the menu's third item, chosen with the keyboard.
  xdotool key Down Down Down Return
  box=$(window_of Zorrel "$toy")
  sleep 1
  xdotool mousemove 5 5
  import -window root "$work/about.png"
  read -r bx by bw bh <<<"$(geometry "$box")"
  # The box with its frame: the frame extents the window manager reports.
  read -r left right top bottom < <(xprop -id "$box" _NET_FRAME_EXTENTS |
    sed 's/.*= //; s/,//g')
  convert "$work/about.png" -crop \
    "$((bw + left + right))x$((bh + top + bottom))+$((bx - left))+$((by - top))" +repage \
    "docs/about-$language.png"
  xdotool key Escape
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=
  echo "docs/menu-$language.png ($(identify -format %wx%h "docs/menu-$language.png")), docs/about-$language.png ($(identify -format %wx%h "docs/about-$language.png"))"
done
