#!/usr/bin/env bash
# Wayland requests of one fast walking tick: runs the toy on its own surface
# (--window-system=wayland) on headless sway with WAYLAND_DEBUG=1, winds it
# fully and counts, over two seconds of the fast walk, from the client's
# side, the requests by kind, the round trips (wl_display.sync and
# get_registry, which wait for the compositor) and the events, per tick. A
# tick is one move of the surface (a margin change or a subsurface's new
# position). The same count for wayland_floor follows, as a yardstick. Root:
# sway runs in private namespaces (see scripts/desktop-matrix.sh).
#   bench/count-wayland-requests.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" = "--inside" ]; then
  desktop=sway dir=$2 tools=$3
  # Read before the desktop's fresh /tmp may hide this folder.
  # shellcheck source=bench/sway-lib.sh
  . "$here/sway-lib.sh"
  set +e
  # shellcheck source=scripts/desktop-matrix/start-desktop.sh
  . "$here/../scripts/desktop-matrix/start-desktop.sh"
  set -e
  sway_setup
  park
  shot /tmp/empty.png

  WAYLAND_DEBUG=1 WAYLAND_DISPLAY=$wayland /tmp/toy/zorrel --window-system=wayland \
    >/dev/null 2>"$dir/toy.trace" &
  pid=$!
  shown() { figure_x >/dev/null; }
  within 15 shown || { log "the toy did not show"; exit 1; }
  sleep 0.5
  wind_fully
  sleep 3
  kill "$pid"
  wait "$pid" 2>/dev/null || true

  WAYLAND_DEBUG=1 WAYLAND_DISPLAY=$wayland "$tools/wayland_floor" 3 >/dev/null 2>"$dir/floor.trace"
  WAYLAND_DEBUG=1 WAYLAND_DISPLAY=$wayland "$tools/wayland_floor" --margins 3 \
    >/dev/null 2>"$dir/floor-margins.trace"
  exit
fi

build=$(realpath "${1:-build}")
[ "$(id -u)" -eq 0 ] || { echo "count-wayland-requests: run as root (private namespaces)" >&2; exit 1; }
out=$(mktemp -d /tmp/zorrel-wayland-requests.XXXXXX)
trap 'rm -rf "$out"' EXIT
mkdir -p "$out/tools/toy"
cp "$build/zorrel" "$build"/libzorrel-sound.so "$build"/Korrin[01].wav "$out/tools/toy/"
cp "$build/bench/wayland_floor" "$out/tools/"
# shellcheck disable=SC2046
cc -O2 -o "$out/tools/pointer" "$here/../scripts/desktop-matrix/pointer.c" \
  $(pkg-config --cflags --libs wayland-client)
unshare -mnp --fork --mount-proc --propagation private "$0" --inside "$out" "$out/tools" \
  >"$out/log.txt" 2>&1 || { tail -n 20 "$out/log.txt" >&2; exit 1; }

# Counts the lines of a WAYLAND_DEBUG trace ("[ms] -> object@id.request(...)"
# for requests, "[ms] object@id.event(...)" for events) over 2 s: from 0.2 s
# after the release of the left button, or from the first move when no
# button was pressed.
count() { # title trace
  awk -v title="$1" '
    match($0, /^\[ *[0-9]+\.[0-9]+\]/) {
      at = substr($0, 2, RLENGTH - 2) + 0
      rest = substr($0, RLENGTH + 1)
      sub(/^ +/, "", rest)
      request = sub(/^-> /, "", rest)
      name = rest; sub(/\(.*/, "", name); sub(/@[0-9]+/, "", name)
      n++; when[n] = at; isRequest[n] = request; what[n] = name
      if (!request && name == "wl_pointer.button" && rest ~ /, 272, 0\)$/) release = at
      if (request && start == "" && (name == "zwlr_layer_surface_v1.set_margin" || name == "wl_subsurface.set_position")) start = at
    }
    END {
      from = (release != "" ? release + 200 : start + 200); to = from + 2000
      for (i = 1; i <= n; i++) {
        if (when[i] < from || when[i] >= to) continue
        if (isRequest[i]) {
          requests++; byName[what[i]]++
          if (what[i] == "zwlr_layer_surface_v1.set_margin" || what[i] == "wl_subsurface.set_position") ticks++
          if (what[i] == "wl_display.sync" || what[i] == "wl_display.get_registry") trips++
        } else {
          events++; eventsByName[what[i]]++
        }
      }
      if (ticks == 0) { printf "%s: no walking ticks in the trace\n", title > "/dev/stderr"; exit 1 }
      printf "%s: %d ticks in 2 s; requests per tick by kind:\n", title, ticks
      for (r in byName) printf "  %8.2f  %s\n", byName[r] / ticks, r | "sort -rn"
      close("sort -rn")
      printf "events per tick by kind:\n"
      for (e in eventsByName) printf "  %8.2f  %s\n", eventsByName[e] / ticks, e | "sort -rn"
      close("sort -rn")
      printf "Wayland requests per tick:   %6.2f\n", requests / ticks
      printf "round trips per tick:        %6.2f   (goal 0)\n", trips / ticks
      printf "events per tick:             %6.2f\n\n", events / ticks
    }' "$2"
}
count "the toy, fast walk" "$out/toy.trace"
count "wayland_floor, subsurface layout" "$out/floor.trace"
count "wayland_floor, margins layout" "$out/floor-margins.trace"
