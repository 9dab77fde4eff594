# shellcheck shell=bash disable=SC2154
# Sourced by the Windows tests that drive the program under Wine on the
# private desktop of scripts/with-test-desktop.sh: a fresh Wine prefix, the
# toy's window found and measured, and polling. The caller sets `name` (the
# prefix of its messages) and `work` (a folder it removes at exit).

# At the end, however it comes: the toy and the prefix's server stopped,
# the work folder gone.
cleanup() {
  [ -z "${pid:-}" ] || kill "$pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

fail() {
  echo "$name: FAILED: $*" >&2
  [ -s "$work/stderr" ] && sed 's/^/  zorrel.exe: /' "$work/stderr" >&2
  exit 1
}
step() { printf '%s: %-58s ok\n' "$name" "$*"; }
# Polls a command for up to $1 tenths of a second.
within() {
  local tenths=$1
  shift
  for ((i = 0; i < tenths; i++)); do "$@" && return 0; sleep 0.1; done
  return 1
}

# A fresh prefix in $work/prefix, with its server kept running from the
# start: otherwise the first program to open a window can hang.
freshPrefix() {
  export WINEPREFIX="$work/prefix" WINEDEBUG=-all
  mkdir "$WINEPREFIX"
  wineserver -p
  wine cmd /c exit 2>/dev/null
}
# A Windows folder of the prefix, such as %LOCALAPPDATA%, as a Unix path.
windowsFolder() {
  winepath -u "$(wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r')" 2>/dev/null
}

# The stored sound option, empty if there is none.
option() {
  wine reg query 'HKCU\Software\Pocketfolk\Coilwerks' /v 'Zorrel Sound' 2>/dev/null |
    tr -d '\r' | awk '$1 == "Zorrel" && $3 == "REG_SZ" {print $4}'
}
optionIs() { [ "$(option)" = "$1" ]; }

# Starts the program $1 from its own folder, its stderr in $work/stderr, and
# waits for its window: $pid and $toy.
pid=
toy=
toyWindow() {
  toy=$(xdotool search --onlyvisible --name '^Zorrel$' 2>/dev/null | head -n 1)
  [ -n "$toy" ]
}
startToy() {
  (cd "$(dirname "$1")" && exec wine "./$(basename "$1")") 2>"$work/stderr" &
  pid=$!
  within 200 toyWindow || fail "no toy window"
}
stopToy() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=
}
field() { xwininfo -id "$toy" -shape | awk -F': *' -v name="$1" '$1 ~ name {print $2; exit}'; }
x() { field 'Absolute upper-left X'; }
y() { field 'Absolute upper-left Y'; }
# Shaped: the outline is smaller than the window, which Wine's plain
# windows never are.
shaped() { [ -n "$(field 'Window shape extents')" ]; }
# The window under the screen point $1 $2.
windowAt() {
  xdotool mousemove "$1" "$2" sleep 0.1 getmouselocation --shell | sed -n 's/^WINDOW=//p'
}
# A point of the toy's client area at $1 $2 logical pixels, at scale $3
# (default 1), on the screen.
screenPoint() {
  awk -v x="$(x)" -v y="$(y)" -v px="$1" -v py="$2" -v s="${3:-1}" \
    'BEGIN {printf "%d %d\n", x + int(px * s + 0.5), y + int(py * s + 0.5)}'
}
# Top-most: the pointer on the head is over the toy, whatever else is there.
# shellcheck disable=SC2046
onTop() { [ "$(windowAt $(screenPoint 37 38 "${1:-1}"))" = "$toy" ]; }
