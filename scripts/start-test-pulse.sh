#!/usr/bin/env bash
# Starts the private PulseAudio server of the test desktop in the background
# and waits until it answers. Its only sink writes all it plays into the fifo
# $XDG_RUNTIME_DIR/sink.fifo; its pid is in $PULSE_RUNTIME_PATH/pid. Needs the
# environment scripts/with-test-desktop.sh sets; the end-to-end tests run it
# again to bring the server back after killing it.
set -euo pipefail
: "${XDG_RUNTIME_DIR:?}" "${PULSE_RUNTIME_PATH:?}"

# A server killed a moment ago lingers as a zombie until it is collected, and
# its pid file would keep the new one from starting.
if old=$(cat "$PULSE_RUNTIME_PATH/pid" 2>/dev/null) &&
  ! awk '$3 != "Z" {found = 1} END {exit !found}' "/proc/$old/stat" 2>/dev/null; then
  rm -f "$PULSE_RUNTIME_PATH/pid"
fi

pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
  --load="module-pipe-sink sink_name=pipe file=$XDG_RUNTIME_DIR/sink.fifo format=s16le rate=44100 channels=1 use_system_clock_for_timing=yes" \
  --load=module-native-protocol-unix >>"$XDG_RUNTIME_DIR/pulse.log" 2>&1 </dev/null &
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && exit 0; sleep 0.05; done
echo "start-test-pulse: no sound server; sound tests will fail" >&2
exit 1
