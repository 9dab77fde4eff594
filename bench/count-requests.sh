#!/usr/bin/env bash
# X requests of one fast walking tick: runs the toy through xtrace, winds it
# fully, and counts, over two seconds of the fast walk, the requests, the
# round trips (requests that wait for a reply) and the property writes per
# tick. A tick is one move of the window. Run from the source tree:
#   scripts/with-test-desktop.sh bench/count-requests.sh [build-dir]
set -euo pipefail
build=${1:-build}
toy="$build/zorrel"
# Client point on the toy's body where it is held.
body_x=37
body_y=38

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trace="$work/trace.log"
mkdir "$work/config"
printf '[Coilwerks]\nZorrel%%20Sound=True\n' >"$work/config/Pocketfolk.ini"

# xtrace listens as a display of its own; take a number no server uses,
# well above the ones Xvfb picks for itself.
fake=200
while [ -e "/tmp/.X11-unix/X$fake" ] || [ -e "/tmp/.X$fake-lock" ]; do fake=$((fake + 1)); done
# xtrace leaves its socket behind; it is removed with the rest. A toy still
# running when the script stops early is ended with it.
pid=""
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi; rm -rf "$work" "/tmp/.X11-unix/X$fake"' EXIT
XDG_CONFIG_HOME="$work/config" xtrace -n -b -m 4 --monotonic-timestamps -d "$DISPLAY" -D ":$fake" \
  -o "$trace" -- "$toy" >/dev/null 2>&1 &
xtrace_pid=$!

for _ in $(seq 500); do
  pid=$(pgrep -P "$xtrace_pid" -x zorrel || true)
  [ -n "$pid" ] && break
  sleep 0.01
done
[ -n "$pid" ] || { echo "count-requests: the toy did not start under xtrace" >&2; exit 1; }
w=""
deadline=$((SECONDS + 20))
while [ -z "$w" ]; do
  [ "$SECONDS" -lt "$deadline" ] || { echo "count-requests: the toy showed no window" >&2; exit 1; }
  w=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 || true)
  [ -n "$w" ] || sleep 0.01
done
sleep 1

read -r x y < <(xwininfo -id "$w" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4} END {print x, y}')
xdotool mousemove $((x + body_x)) $((y + body_y)) mousedown 1 \
  click 3 click 3 click 3 click 3 click 3 click 3 click 3 click 3 click 3 click 3
sleep 0.3
xdotool mouseup 1
sleep 3
kill "$pid"
pid=""
wait "$xtrace_pid" 2>/dev/null || true

# The walk starts with the release of the left button as the toy saw it;
# count from 0.2 s after it, for 2 s, well inside the fast pace.
awk '
  / ButtonRelease\(5\) / && /detail=0x0*1 / { release = $1 }
  { line[NR] = $0; at[NR] = $1 + 0 }
  END {
    if (release == "") { print "no release of the left button in the trace" > "/dev/stderr"; exit 1 }
    from = release + 0.2; to = from + 2
    for (i = 1; i <= NR; i++) {
      if (at[i] < from || at[i] >= to) continue
      split(line[i], f, " ")
      if (f[2] ~ /^[0-9]+:<:/ && match(line[i], /Request\([0-9,]+\): [A-Za-z0-9_]+/)) {
        name = substr(line[i], RSTART, RLENGTH); sub(/^.*: /, "", name)
        requests++; byName[name]++
        if (name == "ConfigureWindow" && line[i] ~ /[{ ]x=/) ticks++
        if (name == "ChangeProperty") writes++
      } else if (f[2] ~ /^[0-9]+:>:/ && line[i] ~ / Reply to /) {
        replies++
      }
    }
    if (ticks == 0) { print "no walking ticks in the trace" > "/dev/stderr"; exit 1 }
    printf "fast walk, %d ticks in 2 s; requests per tick by kind:\n", ticks
    for (n in byName) printf "  %8.2f  %s\n", byName[n] / ticks, n | "sort -rn"
    close("sort -rn")
    printf "\nX requests per tick:         %6.2f   (goal <= 20)\n", requests / ticks
    printf "round trips per tick:        %6.2f   (goal 0)\n", replies / ticks
    printf "property writes per tick:    %6.2f   (goal 0)\n", writes / ticks
  }' "$trace"
