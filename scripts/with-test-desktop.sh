#!/usr/bin/env bash
# Runs a command inside a private desktop: an Xvfb display with openbox as
# its window manager, and a PulseAudio server whose only sink writes all it
# plays to $ZORREL_SINK_RAW. Settings go to a private XDG_CONFIG_HOME. Never
# touches the user's own display, sound server or settings.
set -euo pipefail

work=$(mktemp -d /tmp/zorrel-desktop.XXXXXX)
pids=()
cleanup() {
  # Our own server, by its pid file: a test may have started it again since.
  kill "$(cat "$work/runtime/pulse/pid" 2>/dev/null)" 2>/dev/null || true
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

# The server picks a free display itself and says which, so two copies of
# this script started at once never share one.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
n=
for _ in $(seq 200); do n=$(cat "$work/display" 2>/dev/null || true); [ -n "$n" ] && break; sleep 0.05; done
[ -n "$n" ] || { echo "with-test-desktop: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$n"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM PULSE_SERVER
xdpyinfo >/dev/null 2>&1 || { echo "with-test-desktop: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export PULSE_RUNTIME_PATH="$XDG_RUNTIME_DIR/pulse"
export ZORREL_SINK_RAW="$work/sink.raw"
mkfifo "$XDG_RUNTIME_DIR/sink.fifo"
# Opened for writing too, so that the reader outlives a server that a test
# kills and starts again.
cat 0<>"$XDG_RUNTIME_DIR/sink.fifo" >"$ZORREL_SINK_RAW" &
pids+=($!)
"$(dirname "$0")/start-test-pulse.sh" || true

export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME"

"$@"
