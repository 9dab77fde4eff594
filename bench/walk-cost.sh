#!/usr/bin/env bash
# CPU of a fast walk: the toy against the floor window (plain Xlib doing the
# same moves, outlines and pose copies), each with the whole private desktop
# it drives. Rounds alternate floor and toy; each measures 4 s of walking.
# The toy walks with sound on. Run from the source tree after a build:
#   scripts/with-test-desktop.sh bench/walk-cost.sh [build-dir]
set -euo pipefail
build=${1:-build}
toy="${TOY:-$build/zorrel}"
floor="$build/bench/floor_window"
rounds=${ROUNDS:-3}
window_s=4
# Client point on the toy's body where it is held.
body_x=37
body_y=38

# The desktop's servers are children of the with-test-desktop.sh shell.
server_pid() {
  local pid
  pid=$(pgrep -P "$PPID" -x "$1" | head -n 1) || true
  [ -n "$pid" ] || { echo "walk-cost: no $1 here; run under scripts/with-test-desktop.sh" >&2; exit 1; }
  echo "$pid"
}
xvfb=$(server_pid Xvfb)
openbox=$(server_pid openbox)
# The sound server starts from its own script and leaves a pid file.
pulse=$(cat "${PULSE_RUNTIME_PATH:-/nonexistent}/pid" 2>/dev/null) ||
  { echo "walk-cost: no pulseaudio here; run under scripts/with-test-desktop.sh" >&2; exit 1; }

now_ns() { date +%s%N; }
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
# Run time of every thread of a process, in ns. Threads may come and go
# while the files are read.
cpu_ns() { { cat /proc/"$1"/task/*/schedstat 2>/dev/null || true; } | awk '{s += $1} END {printf "%d\n", s}'; }
# shellcheck source=bench/desktop-lib.sh
. "$(dirname "$0")/desktop-lib.sh"

results=$(mktemp)
config=$(mktemp -d)
running=""
# A program still running when the script stops early is ended with it.
trap 'if [ -n "$running" ]; then kill "$running" 2>/dev/null || true; fi; rm -rf "$results" "$config"' EXIT
printf '[Coilwerks]\nZorrel%%20Sound=True\n' >"$config/Pocketfolk.ini"

# One measuring window: "<kind> <program> <Xvfb> <openbox> <pulse> <elapsed>"
# in ns, appended to the results.
measure() {
  local kind=$1 pid=$2 t0 t1 p0 p1 x0 x1 o0 o1 a0 a1
  t0=$(now_ns); p0=$(cpu_ns "$pid"); x0=$(cpu_ns "$xvfb"); o0=$(cpu_ns "$openbox"); a0=$(cpu_ns "$pulse")
  sleep "$window_s"
  t1=$(now_ns); p1=$(cpu_ns "$pid"); x1=$(cpu_ns "$xvfb"); o1=$(cpu_ns "$openbox"); a1=$(cpu_ns "$pulse")
  echo "$kind $((p1 - p0)) $((x1 - x0)) $((o1 - o0)) $((a1 - a0)) $((t1 - t0))" >>"$results"
}

floor_round() {
  "$floor" $((window_s + 2)) &
  local pid=$! w
  running=$pid
  w=$(window_of --name '^floor_window$')
  sleep 0.3
  local x0
  x0=$(window_x "$w")
  measure floor "$pid"
  echo "  floor: walked $((x0 - $(window_x "$w"))) px"
  wait "$pid"
}

toy_round() {
  XDG_CONFIG_HOME=$config "$toy" >/dev/null 2>&1 &
  local pid=$! w x y x0
  running=$pid
  w=$(window_of --pid "$pid")
  # Let the window manager place it.
  sleep 1
  read -r x y < <(xwininfo -id "$w" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4} END {print x, y}')
  xdotool mousemove $((x + body_x)) $((y + body_y)) mousedown 1 \
    click 3 click 3 click 3 click 3 click 3 click 3 click 3 click 3 click 3 click 3
  sleep 0.3
  x0=$(window_x "$w")
  xdotool mouseup 1
  measure toy "$pid"
  echo "  toy: walked $((x0 - $(window_x "$w"))) px, sound streams $(pactl list short sink-inputs | wc -l)"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

for round in $(seq "$rounds"); do
  echo "round $round"
  floor_round
  toy_round
done

# Per-process medians, in % of one core.
column() { awk -v kind="$1" -v c="$2" '$1 == kind {printf "%.3f\n", 100 * $c / $6}' "$results" | median; }
desktop() { awk -v kind="$1" '$1 == kind {printf "%.3f\n", 100 * ($2 + $3 + $4 + $5) / $6}' "$results" | median; }
printf '\nCPU while walking fast, %% of one core, median of %s rounds of %s s\n' "$rounds" "$window_s"
printf '%-12s %8s %8s %8s %8s %9s\n' "" program Xvfb openbox pulse desktop
for kind in floor toy; do
  printf '%-12s %8s %8s %8s %8s %9s\n' "$kind" "$(column "$kind" 2)" "$(column "$kind" 3)" \
    "$(column "$kind" 4)" "$(column "$kind" 5)" "$(desktop "$kind")"
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
printf '\ntoy CPU / floor CPU:          %s   (goal <= 2.5)\n' "$(ratio "$(column toy 2)" "$(column floor 2)")"
printf 'desktop during toy / floor:   %s   (goal <= 2.0)\n' "$(ratio "$(desktop toy)" "$(desktop floor)")"
