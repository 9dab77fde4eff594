# Helpers the benchmark scripts share; sourced, not run.

# The first viewable window that matches, waiting at most 20 s for it.
window_of() {
  local w="" deadline=$((SECONDS + 20))
  while [ -z "$w" ]; do
    [ "$SECONDS" -lt "$deadline" ] || { echo "no window: xdotool search $*" >&2; return 1; }
    w=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1 || true)
    [ -n "$w" ] || sleep 0.01
  done
  echo "$w"
}
window_x() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {print $4}'; }
