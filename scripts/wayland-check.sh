#!/usr/bin/env bash
# The toy on its own Wayland surface (--window-system=wayland) under headless
# sway, in private mount, network and process namespaces: it shows over a
# coloured window, transparent outside its figure, and wound up it walks
# left. Pictures and a log go to the folder given (else a temporary one).
# Exit status 77 (skipped) where private namespaces cannot be made.
#   scripts/wayland-check.sh [build-dir] [folder]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" = "--inside" ]; then
  desktop=sway dir=$2 tools=$3
  set +e -uo pipefail
  # shellcheck source=scripts/desktop-matrix/start-desktop.sh
  . "$here/desktop-matrix/start-desktop.sh"
  log "desktop: $version"
  export SWAYSOCK
  SWAYSOCK=$(ls /tmp/sway-run/sway-ipc.*.sock)
  wayland=$(ls -d /tmp/sway-run/wayland-? | head -n 1)
  install -m 755 "$tools/pointer" /tmp/pointer
  nobody env WAYLAND_DISPLAY="$wayland" /tmp/pointer >/tmp/pointer.log 2>&1 &
  within 5 grep -q ready /tmp/pointer.log || log "no virtual pointer: $(cat /tmp/pointer.log)"
  cursor() { swaymsg seat seat0 cursor "$@" >/dev/null; }
  park() { cursor set 1010 755 && sleep 0.1; }

  # A window of one colour fills the workspace, under the toy's place.
  xmessage -name backdrop -bg '#3070d0' -fg '#3070d0' backdrop >/dev/null 2>&1 &
  within 10 sh -c 'xdotool search --onlyvisible --name "^backdrop$"' || log "no backdrop window"
  sleep 1
  park
  shot "$dir/backdrop.png"

  # The toy's figure in a picture: the box of what differs from the backdrop.
  box() { compare -fuzz 6% "$dir/backdrop.png" "$1" -compose src -highlight-color white \
    -lowlight-color black - 2>/dev/null | convert - -trim -format "%w %h %X %Y" info: 2>/dev/null | tr -d +; }
  # The toy is 69x96: in a picture, what differs from the backdrop fits in
  # that rectangle and covers more than half of it but not all of it (its
  # corners show the backdrop through the transparency). Sets x y, the
  # figure box's corner.
  look() { # name
    local name=$1 differ rect
    park
    shot "$dir/$name.png" || { log "look $name: no picture"; return 1; }
    read -r w h x y < <(box "$dir/$name.png")
    differ=$(compare -fuzz 6% -metric AE "$dir/$name.png" "$dir/backdrop.png" null: 2>&1 | cut -d' ' -f1)
    rect=$((69 * 96))
    log "look $name: what differs from the backdrop is ${w}x$h at $x,$y, $differ pixels (of $rect in the toy's rectangle)"
    [ "$w" -le 69 ] && [ "$h" -le 96 ] && [ "${differ%.*}" -ge $((rect / 2)) ] && [ "${differ%.*}" -lt $((rect * 95 / 100)) ]
  }
  where() { # x y of the figure's box in a fresh picture
    park
    shot /tmp/where.png && box /tmp/where.png | awk '{print $3, $4}'
  }

  WAYLAND_DISPLAY=$wayland /tmp/toy/zorrel --window-system=wayland >/tmp/toy.log 2>&1 &
  toy_pid=$!
  shown() { park && shot /tmp/first.png && [ -n "$(box /tmp/first.png)" ]; }
  within 15 shown || { log "the toy did not show"; cat /tmp/toy.log; exit 1; }
  sleep 0.5
  # Started in the middle of the 1024x768 output.
  sx=$(((1024 - 69) / 2)) sy=$(((768 - 96) / 2))
  look rest
  rest=$?
  # and within the rectangle it started in
  [ $rest -eq 0 ] && [ "$x" -ge $sx ] && [ "$y" -ge $sy ] && [ $((x + w)) -le $((sx + 69)) ]
  rest=$?
  log "toy on X11: $(xdotool search --onlyvisible --pid "$toy_pid" 2>/dev/null | wc -l) mapped windows"
  mapped=$(xdotool search --onlyvisible --pid "$toy_pid" 2>/dev/null | wc -l)

  # Wound up with the two-button gesture on its body, then let go.
  cursor set $((sx + 37)) $((sy + 38)) && sleep 0.1
  cursor press button1 && sleep 0.1
  for _ in 1 2 3; do cursor press button3 && cursor release button3 && sleep 0.1; done
  cursor release button1
  sleep 1
  read -r x1 y1 < <(where)
  sleep 1
  read -r x2 y2 < <(where)
  log "walking: at $x1,$y1 a second after the wind, at $x2,$y2 a second later (started at $sx,$sy)"
  walked=$((x1 < sx && x2 < x1 - 10 && y2 == y1 ? 0 : 1))
  look walk
  walk_look=$?
  grep -v "^$" /tmp/toy.log | grep -v "^\[" | sed "s/^/toy: /"
  cp /tmp/toy.log "$dir/toy.log"
  kill "$toy_pid" 2>/dev/null
  log "result: look at rest $rest, walks $walked, look while walking $walk_look, X windows mapped $mapped"
  [ $rest -eq 0 ] && [ $walked -eq 0 ] && [ $walk_look -eq 0 ] && [ "$mapped" -eq 0 ]
  exit
fi

build=$(realpath "${1:-$here/../build}")
if [ "$(id -u)" -ne 0 ] || ! unshare -mnp --fork true 2>/dev/null; then
  echo "wayland-check: skipped, private namespaces need root" >&2
  exit 77
fi
[ -x "$build/zorrel" ] || { echo "wayland-check: no $build/zorrel; build first" >&2; exit 1; }
if [ -n "${2:-}" ]; then
  out=$(realpath -m "$2")
  mkdir -p "$out"
else
  out=$(mktemp -d /tmp/zorrel-wayland-check.XXXXXX)
  trap 'rm -rf "$out"' EXIT
fi
mkdir -p "$out/tools/toy"
# shellcheck disable=SC2046
cc -O2 -o "$out/tools/pointer" "$here/desktop-matrix/pointer.c" $(pkg-config --cflags --libs wayland-client)
cp "$build/zorrel" "$build"/libzorrel-sound.so "$build"/Korrin[01].wav "$out/tools/toy/"
mkdir -p "$out/sway"
status=0
timeout -k 5 100 unshare -mnp --fork --mount-proc --propagation private "$0" --inside "$out/sway" "$out/tools" \
  >"$out/log.txt" 2>&1 || status=$?
grep -E 'look|walking|result|did not|toy:' "$out/log.txt" || true
[ $status -eq 0 ] || { tail -n 30 "$out/log.txt"; exit 1; }
