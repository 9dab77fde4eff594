#!/usr/bin/env bash
# What the toy's walk costs a Wayland compositor, against a floor client that
# makes the same moves, outlines and pictures. Rounds alternate floor and
# toy; each measures 4 s of the fast walk (CPU of the whole process, threads
# that ended included), and the medians of the rounds are printed. Root: the
# desktop runs in private namespaces (see scripts/desktop-matrix.sh).
#   bench/compositor-cost.sh kwin_wayland|mutter-headless [build-dir]
#     The toy on X11 (Xwayland) against floor_window. Prints the CPU of the
#     compositor and of Xwayland and the compositor's ratio toy / floor
#     (goal: at most 1.3). The toy is silent: no sound server runs.
#   bench/compositor-cost.sh sway [--margins] [build-dir]
#     Headless sway, the toy on its own surface (--window-system=wayland,
#     sound off) against wayland_floor, a bare layer-shell client, in the
#     subsurface layout (--margins: moved by its margins). Prints the CPU of
#     sway, Xwayland, the program itself, and two ratios toy / floor: sway's
#     (goal: at most 1.2) and the program's own (goal: at most 1.5).
#   ROUNDS=n sets the number of rounds (default 3; 5 for sway).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
matrix=$here/../scripts/desktop-matrix

if [ "${1:-}" = "--inside" ]; then
  desktop=$2 dir=$3 tools=$4
  # Read before the desktop's fresh /tmp may hide this folder.
  # shellcheck source=bench/desktop-lib.sh
  . "$here/desktop-lib.sh"
  # shellcheck source=bench/sway-lib.sh
  . "$here/sway-lib.sh"
  set +e
  # shellcheck source=scripts/desktop-matrix/start-desktop.sh
  . "$matrix/start-desktop.sh"
  set -e
  floor_layout=${5:-}
  rounds=${ROUNDS:-3} window_s=4
  [ "$desktop" = sway ] && rounds=${ROUNDS:-5}
  compositor=$(pgrep -x "${desktop%%-*}" | head -n 1)
  xwayland=$(pgrep -x Xwayland | head -n 1)
  # User and system time of the whole process, threads that have ended
  # included (compositors start and end rendering threads), in ns.
  tick_ns=$((1000000000 / $(getconf CLK_TCK)))
  cpu_ns() { awk -v t="$tick_ns" '{sub(/.*\) /, ""); printf "%.0f\n", ($12 + $13) * t}' /proc/"$1"/stat; }
  if [ "$desktop" = sway ]; then
    # The floor takes a few clock ticks in a round, too few to compare:
    # the time on the CPU of every thread, to the nanosecond. sway with
    # pixman, the floor and the silent toy end no thread while walking.
    cpu_ns() { { cat /proc/"$1"/task/*/schedstat 2>/dev/null || true; } | awk '{s += $1} END {printf "%d\n", s}'; }
  fi
  now_ns() { date +%s%N; }
  median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
  results=/tmp/results
  measure() { # kind [program-pid]
    local t0 t1 c0 c1 x0 x1 p0=0 p1=0
    t0=$(now_ns); c0=$(cpu_ns "$compositor"); x0=$(cpu_ns "$xwayland")
    [ -z "${2:-}" ] || p0=$(cpu_ns "$2")
    sleep "$window_s"
    t1=$(now_ns); c1=$(cpu_ns "$compositor"); x1=$(cpu_ns "$xwayland")
    [ -z "${2:-}" ] || p1=$(cpu_ns "$2")
    echo "$1 $((c1 - c0)) $((x1 - x0)) $((t1 - t0)) $((p1 - p0))" >>"$results"
  }
  column() { awk -v kind="$1" -v c="$2" '$1 == kind {printf "%.3f\n", 100 * $c / $4}' "$results" | median; }
  ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
  if [ "$desktop" = sway ]; then
    sway_rounds
    printf '\n%s: CPU while walking fast, %% of one core, median of %s rounds of %s s\n' "$version" "$rounds" "$window_s"
    printf 'floor: wayland_floor, %s layout\n' "$floor_kind"
    printf '%-8s %11s %9s %9s\n' "" sway Xwayland program
    for kind in floor toy; do
      printf '%-8s %11s %9s %9s\n' "$kind" "$(column "$kind" 2)" "$(column "$kind" 3)" "$(column "$kind" 5)"
    done
    printf '\nrounds (sway floor/toy, program floor/toy):\n'
    paste <(awk '$1 == "floor" {printf "%.2f %.2f\n", 100 * $2 / $4, 100 * $5 / $4}' "$results") \
      <(awk '$1 == "toy" {printf "%.2f %.2f\n", 100 * $2 / $4, 100 * $5 / $4}' "$results") |
      awk '{printf "  sway %s / %s   program %s / %s\n", $1, $3, $2, $4}'
    printf '\nsway toy / floor:      %s   (goal <= 1.2)\n' "$(ratio "$(column toy 2)" "$(column floor 2)")"
    printf 'program toy / floor:   %s   (goal <= 1.5)\n' "$(ratio "$(column toy 5)" "$(column floor 5)")"
    exit
  fi
  for round in $(seq "$rounds"); do
    "$tools/floor_window" $((window_s + 2)) &
    pid=$!
    window_of --name '^floor_window$' >/dev/null
    sleep 0.3
    measure floor
    wait "$pid"
    /tmp/toy/zorrel >/dev/null 2>&1 &
    pid=$!
    w=$(window_of --pid "$pid")
    sleep 1
    read -r x y < <(xwininfo -id "$w" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4} END {print x, y}')
    xdotool mousemove $((x + 37)) $((y + 38)) mousedown 1 \
      click 3 click 3 click 3 click 3 click 3 click 3 click 3 click 3 click 3 click 3
    sleep 0.3
    x0=$(window_x "$w")
    xdotool mouseup 1
    measure toy
    echo "round $round: toy walked $((x0 - $(window_x "$w"))) px"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
  done
  printf '\n%s: CPU while walking fast, %% of one core, median of %s rounds of %s s\n' "$version" "$rounds" "$window_s"
  printf '%-8s %11s %9s\n' "" compositor Xwayland
  for kind in floor toy; do printf '%-8s %11s %9s\n' "$kind" "$(column "$kind" 2)" "$(column "$kind" 3)"; done
  printf '\ncompositor toy / floor:   %s   (goal <= 1.3)\n' \
    "$(ratio "$(column toy 2)" "$(column floor 2)")"
  exit
fi

desktop=${1:?usage: bench/compositor-cost.sh kwin_wayland|mutter-headless|sway [--margins] [build-dir]}
shift
floor_layout=
if [ "$desktop" = sway ] && [ "${1:-}" = --margins ]; then
  floor_layout=--margins
  shift
fi
build=$(realpath "${1:-build}")
[ "$(id -u)" -eq 0 ] || { echo "compositor-cost: run as root (private namespaces)" >&2; exit 1; }
out=$(mktemp -d /tmp/zorrel-compositor-cost.XXXXXX)
trap 'rm -rf "$out"' EXIT
mkdir -p "$out/tools/toy"
cp "$build/zorrel" "$build"/libzorrel-sound.so "$build"/Korrin[01].wav "$out/tools/toy/"
cp "$build/bench/floor_window" "$out/tools/"
if [ "$desktop" = sway ]; then
  cp "$build/bench/wayland_floor" "$out/tools/"
  # shellcheck disable=SC2046
  cc -O2 -o "$out/tools/pointer" "$here/../scripts/desktop-matrix/pointer.c" \
    $(pkg-config --cflags --libs wayland-client)
fi
unshare -mnp --fork --mount-proc --propagation private "$here/compositor-cost.sh" --inside \
  "$desktop" "$out" "$out/tools" "$floor_layout" 2>/dev/null
