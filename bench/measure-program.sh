#!/usr/bin/env bash
# Measures the real program on the private test desktop: start-up to a mapped,
# shaped window and peak memory at rest, each against a bare Qt window; CPU
# and timer wake-ups while idle, CPU while walking at the fast pace, and the
# pace of a full wind. Run from the source tree after a build:
#   scripts/with-test-desktop.sh bench/measure-program.sh [build-dir]
set -euo pipefail
build=${1:-build}
toy="$build/zorrel"
bare="$build/bench/bare_window"
runs=${RUNS:-11}

now_ms() { date +%s%3N; }
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# Context switches of every thread, not only the main one.
wakeups() {
  { cat /proc/"$1"/task/*/status 2>/dev/null || true; } |
    awk '/^voluntary_ctxt_switches|^nonvoluntary_ctxt_switches/ {s += $2} END {print s}'
}
hwm_kb() { awk '/^VmHWM/ {print $2}' "/proc/$1/status"; }
# shellcheck source=bench/desktop-lib.sh
. "$(dirname "$0")/desktop-lib.sh"

# Start-up: from the launch to a viewable window (and, for the toy, an
# outlined one), timed by startup_probe from the server's events.
probe="$build/bench/startup_probe"
startup() {
  if [ "$1" = "$toy" ]; then "$probe" --shaped "$1"; else "$probe" "$1"; fi
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
# Taking turns spreads the machine's other load over both alike.
toy_runs=$(mktemp)
bare_runs=$(mktemp)
trap 'rm -f "$toy_runs" "$bare_runs"' EXIT
for _ in $(seq "$runs"); do
  startup "$toy" >>"$toy_runs"
  startup "$bare" >>"$bare_runs"
done
toy_ms=$(median <"$toy_runs")
bare_ms=$(median <"$bare_runs")
echo "start-up, median of $runs: zorrel $toy_ms ms to a shaped window, bare window $bare_ms ms," \
  "ratio $(ratio "$toy_ms" "$bare_ms") (goal <= 1.3)"

# Peak memory at rest, measured alike for the toy and the bare window.
rest_rss() {
  "$1" >/dev/null 2>&1 &
  local pid=$!
  window_of --pid "$pid" >/dev/null
  sleep 2
  hwm_kb "$pid"
  kill "$pid"; wait "$pid" 2>/dev/null || true
}
toy_kb=$(for _ in 1 2 3; do rest_rss "$toy"; done | median)
bare_kb=$(for _ in 1 2 3; do rest_rss "$bare"; done | median)
echo "peak RSS at rest, median of 3: zorrel $toy_kb kB, bare window $bare_kb kB," \
  "ratio $(ratio "$toy_kb" "$bare_kb") (goal <= 1.1)"

# Idle, then a full wind: CPU and wake-ups while idle and while walking fast,
# and how long the 400 ticks take.
"$toy" >/dev/null 2>&1 &
pid=$!
w=$(window_of --pid "$pid")
sleep 1
c0=$(cpu_ticks "$pid"); s0=$(wakeups "$pid")
sleep 10
echo "idle 10 s: CPU $(($(cpu_ticks "$pid") - c0)) ticks of 10 ms, wake-ups $(($(wakeups "$pid") - s0))"

x0=$(window_x "$w")
eval "$(xdotool getwindowgeometry --shell "$w")"
xdotool mousemove $((X + 30)) $((Y + 62)) mousedown 1
for _ in $(seq 10); do xdotool click 3; sleep 0.05; done
sleep 0.3
c0=$(cpu_ticks "$pid")
t0=$(now_ms)
xdotool mouseup 1
sleep 5
fast=$(($(cpu_ticks "$pid") - c0))
t5=$(now_ms)
echo "walking at the fast pace: CPU $(awk "BEGIN {printf \"%.1f\", 100 * $fast * 10 / ($t5 - $t0)}")% of one core over $((t5 - t0)) ms"
last=$(window_x "$w"); stopped_at=$(now_ms)
while [ $(($(now_ms) - stopped_at)) -lt 1000 ]; do
  x=$(window_x "$w")
  if [ "$x" != "$last" ]; then last=$x; stopped_at=$(now_ms); fi
  sleep 0.01
done
echo "full wind: walked $((x0 - last)) px in $((stopped_at - t0)) ms"
kill "$pid"; wait "$pid" 2>/dev/null || true
