#!/usr/bin/env bash
# The compositor's CPU while the toy walks fast, against floor_window making
# the same moves, outlines and copies, on a Wayland desktop with Xwayland.
# Rounds alternate floor and toy; each measures 4 s of walking. Prints the
# CPU of the compositor and of Xwayland, medians of the rounds, and the
# compositor's ratio toy / floor (goal: at most 1.3). Root: the desktop runs
# in private namespaces (see scripts/desktop-matrix.sh). The toy is silent.
#   bench/compositor-cost.sh kwin_wayland|mutter-headless [build-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
matrix=$here/../scripts/desktop-matrix

if [ "${1:-}" = "--inside" ]; then
  desktop=$2 dir=$3 tools=$4
  # Read before the desktop's fresh /tmp may hide this folder.
  # shellcheck source=bench/desktop-lib.sh
  . "$here/desktop-lib.sh"
  set +e
  # shellcheck source=scripts/desktop-matrix/start-desktop.sh
  . "$matrix/start-desktop.sh"
  set -e
  rounds=${ROUNDS:-3} window_s=4
  compositor=$(pgrep -x "${desktop%%-*}" | head -n 1)
  xwayland=$(pgrep -x Xwayland | head -n 1)
  # User and system time of the whole process, threads that have ended
  # included (compositors start and end rendering threads), in ns.
  tick_ns=$((1000000000 / $(getconf CLK_TCK)))
  cpu_ns() { awk -v t="$tick_ns" '{sub(/.*\) /, ""); printf "%.0f\n", ($12 + $13) * t}' /proc/"$1"/stat; }
  now_ns() { date +%s%N; }
  median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
  results=/tmp/results
  measure() { # kind
    local t0 t1 c0 c1 x0 x1
    t0=$(now_ns); c0=$(cpu_ns "$compositor"); x0=$(cpu_ns "$xwayland")
    sleep "$window_s"
    t1=$(now_ns); c1=$(cpu_ns "$compositor"); x1=$(cpu_ns "$xwayland")
    echo "$1 $((c1 - c0)) $((x1 - x0)) $((t1 - t0))" >>"$results"
  }
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
  column() { awk -v kind="$1" -v c="$2" '$1 == kind {printf "%.3f\n", 100 * $c / $4}' "$results" | median; }
  printf '\n%s: CPU while walking fast, %% of one core, median of %s rounds of %s s\n' "$version" "$rounds" "$window_s"
  printf '%-8s %11s %9s\n' "" compositor Xwayland
  for kind in floor toy; do printf '%-8s %11s %9s\n' "$kind" "$(column "$kind" 2)" "$(column "$kind" 3)"; done
  printf '\ncompositor toy / floor:   %s   (goal <= 1.3)\n' \
    "$(awk -v a="$(column toy 2)" -v b="$(column floor 2)" 'BEGIN {printf "%.2f", a / b}')"
  exit
fi

desktop=${1:?usage: bench/compositor-cost.sh kwin_wayland|mutter-headless [build-dir]}
build=$(realpath "${2:-build}")
[ "$(id -u)" -eq 0 ] || { echo "compositor-cost: run as root (private namespaces)" >&2; exit 1; }
out=$(mktemp -d /tmp/zorrel-compositor-cost.XXXXXX)
trap 'rm -rf "$out"' EXIT
mkdir -p "$out/tools/toy"
cp "$build/zorrel" "$build"/libzorrel-sound.so "$build"/Korrin[01].wav "$out/tools/toy/"
cp "$build/bench/floor_window" "$out/tools/"
unshare -mnp --fork --mount-proc --propagation private "$here/compositor-cost.sh" --inside \
  "$desktop" "$out" "$out/tools" 2>/dev/null
