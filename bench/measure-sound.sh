#!/usr/bin/env bash
# Measures what the sound effects cost while the toy walks at the fast pace
# with sound on: CPU of the toy and of the sound server over 4 s (summed over
# their threads from schedstat), the streams the server opened for the whole
# walk, and the toy's memory afterwards; then, at rest after the walk, its
# threads, its wake-ups over 5 s and the streams still open. SOUND=off
# measures the same walk silent, for reference. Run from the source tree
# after a build:
#   scripts/with-test-desktop.sh bench/measure-sound.sh [build-dir]
set -euo pipefail
build=${1:-build}
runs=${RUNS:-3}
pulse=$(cat "$PULSE_RUNTIME_PATH/pid")

# CPU nanoseconds of every thread of a process, living ones only.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d\n", s}'; }
wakeups() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches|^nonvoluntary_ctxt_switches/ {s += $2} END {print s}'; }
# The same for the threads that serve the sound: the toy's sound thread and
# the sound server connection's own.
sound_ns() {
  for t in /proc/"$1"/task/*; do
    case $(cat "$t/comm" 2>/dev/null) in zorrel-sound | threaded-ml) cat "$t/schedstat" 2>/dev/null ;; esac
  done | awk '{s += $1} END {printf "%d\n", s}'
}
kb() { awk -v k="$2" '$1 == k":" {print $2}' "/proc/$1/status"; }

one_run() {
  local dir pid w events sub t0 c0 p0 s0 c1 p1 s1 t1
  dir=$(mktemp -d)
  cp "$build/zorrel" "$build/libzorrel-sound.so" "$build/Korrin0.wav" "$build/Korrin1.wav" "$dir"
  [ "${SOUND:-on}" = off ] && printf '[Coilwerks]\nZorrel%%20Sound=False\n' >"$dir/Pocketfolk.ini"
  XDG_CONFIG_HOME=$dir "$dir/zorrel" >"$dir/stderr" 2>&1 &
  pid=$!
  w=""
  until [ -n "$w" ]; do w=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 || true); sleep 0.01; done
  sleep 1
  events="$dir/events"
  pactl subscribe >"$events" 2>/dev/null &
  sub=$!
  sleep 0.3
  eval "$(xdotool getwindowgeometry --shell "$w")"
  xdotool mousemove $((X + 30)) $((Y + 62)) mousedown 1
  for _ in $(seq 10); do xdotool click 3; sleep 0.05; done
  sleep 0.3
  xdotool mouseup 1
  sleep 0.5
  t0=$(date +%s%N); c0=$(cpu_ns "$pid"); p0=$(cpu_ns "$pulse"); s0=$(sound_ns "$pid")
  sleep 4
  t1=$(date +%s%N); c1=$(cpu_ns "$pid"); p1=$(cpu_ns "$pulse"); s1=$(sound_ns "$pid")
  sleep 0.5
  kill "$sub"; wait "$sub" 2>/dev/null || true
  awk -v t=$((t1 - t0)) -v c=$((c1 - c0)) -v p=$((p1 - p0)) -v s=$((s1 - s0)) \
    -v n="$(grep -c "'new' on sink-input" "$events" || true)" \
    -v rss="$(kb "$pid" VmRSS)" -v hwm="$(kb "$pid" VmHWM)" \
    'BEGIN {printf "walking 4 s: toy %.2f%% (its sound threads %.2f%%), sound server %.2f%% of one core; sink-inputs opened %d; toy RSS %d kB (peak %d kB)\n", 100 * c / t, 100 * s / t, 100 * p / t, n, rss, hwm}'
  # The walk of a full wind is over well before this.
  sleep 12
  local w0
  w0=$(wakeups "$pid")
  sleep 5
  echo "  at rest after the walk: toy threads $(ls /proc/"$pid"/task | wc -l), wake-ups in 5 s $(($(wakeups "$pid") - w0)), sink-inputs open $(pactl list short sink-inputs | wc -l)"
  kill "$pid"; wait "$pid" 2>/dev/null || true
  [ -s "$dir/stderr" ] && sed 's/^/  stderr: /' "$dir/stderr"
  rm -rf "$dir"
}
for _ in $(seq "$runs"); do one_run; done
