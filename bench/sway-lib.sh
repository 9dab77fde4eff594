# shellcheck shell=bash
# What the sway benchmarks share (compositor-cost.sh sway and
# count-wayland-requests.sh); sourced, not run. Needs what the scripts and
# start-desktop.sh set: tools, nobody, within, shot, log; the rounds also
# rounds, window_s, floor_layout and measure.

# The x of the leftmost pixel that differs from /tmp/empty.png, the picture
# of the empty desktop; nothing when less than half the toy's rectangle
# differs (nothing shows yet).
figure_x() {
  park
  shot /tmp/now.png || return 1
  local differ
  differ=$(compare -fuzz 6% -metric AE /tmp/empty.png /tmp/now.png null: 2>&1 | cut -d' ' -f1)
  [ "${differ%.*}" -ge $((69 * 96 / 2)) ] || return 1
  # compare's status says that the pictures differ, which is known.
  { compare -fuzz 6% /tmp/empty.png /tmp/now.png -compose src -highlight-color white \
    -lowlight-color black - 2>/dev/null || true; } | convert - -trim -format "%X" info: 2>/dev/null | tr -d +
}
cursor() { swaymsg seat seat0 cursor "$@" >/dev/null; }
# The pointer out of the way, where nothing shows.
park() { cursor set 1010 755 && sleep 0.1; }

# sway's socket, a virtual pointer on its seat (without a pointer device the
# seat has none, and no client hears the pointer that sway moves) and the
# toy's sound off, as the floor makes none. Sets wayland.
sway_setup() {
  export SWAYSOCK
  SWAYSOCK=$(ls /tmp/sway-run/sway-ipc.*.sock)
  wayland=$(ls -d /tmp/sway-run/wayland-? | head -n 1)
  install -m 755 "$tools/pointer" /tmp/pointer
  nobody env WAYLAND_DISPLAY="$wayland" /tmp/pointer >/tmp/pointer.log 2>&1 &
  within 5 grep -q ready /tmp/pointer.log || { log "no virtual pointer: $(cat /tmp/pointer.log)"; exit 1; }
  printf '[Coilwerks]\nZorrel%%20Sound=False\n' >"$XDG_CONFIG_HOME/Pocketfolk.ini"
}

# Winds the toy fully with the two-button gesture on its body (it starts in
# the middle of the 1024x768 output), then lets go.
wind_fully() {
  cursor set $(((1024 - 69) / 2 + 37)) $(((768 - 96) / 2 + 38)) && sleep 0.1
  cursor press button1 && sleep 0.1
  for _ in $(seq 10); do cursor press button3 && cursor release button3; done
  cursor release button1
}

sway_rounds() {
  local pid x0 x1
  sway_setup
  floor_kind=subsurface
  [ -z "$floor_layout" ] || floor_kind=margins
  park
  shot /tmp/empty.png
  for round in $(seq "$rounds"); do
    # shellcheck disable=SC2086 # no layout option is no word
    WAYLAND_DISPLAY=$wayland "$tools/wayland_floor" $floor_layout $((window_s + 2)) >/tmp/floor.log 2>&1 &
    pid=$!
    within 10 grep -q walking /tmp/floor.log || { log "the floor did not walk: $(cat /tmp/floor.log)"; exit 1; }
    sleep 0.3
    measure floor "$pid"
    wait "$pid" || { log "the floor failed: $(cat /tmp/floor.log)"; exit 1; }
    echo "round $round: $(grep ticks /tmp/floor.log)"

    WAYLAND_DISPLAY=$wayland /tmp/toy/zorrel --window-system=wayland >/tmp/toy.log 2>&1 &
    pid=$!
    shown() { figure_x >/dev/null; }
    within 15 shown || { log "the toy did not show: $(cat /tmp/toy.log)"; exit 1; }
    sleep 0.5
    wind_fully
    sleep 0.3
    x0=$(figure_x)
    measure toy "$pid"
    x1=$(figure_x)
    echo "round $round: toy walked $((x0 - x1)) px while measured"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
  done
}
