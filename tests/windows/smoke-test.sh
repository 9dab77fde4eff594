#!/usr/bin/env bash
# The Windows build as a user gets it: the zip unpacked into a fresh Wine
# prefix, zorrel.exe started on the private desktop of
# scripts/with-test-desktop.sh, wound with the two-button gesture (its click
# must reach the sound server's sink), walking left, its Sound menu item
# changing the registry value, and Exit ending it with status 0.
#   tests/windows/smoke-test.sh ZIP
set -euo pipefail
zip=$(realpath "$1")
: "${DISPLAY:?run me under scripts/with-test-desktop.sh}" "${ZORREL_SINK_RAW:?}"

work=$(mktemp -d /tmp/zorrel-windows-smoke.XXXXXX)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
pid=
cleanup() {
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

fail() {
  echo "smoke-test: FAILED: $*" >&2
  [ -s "$work/stderr" ] && sed 's/^/  zorrel.exe: /' "$work/stderr" >&2
  exit 1
}
step() { printf 'smoke-test: %-58s ok\n' "$*"; }
# Polls a command for up to $1 tenths of a second.
within() {
  local tenths=$1
  shift
  for ((i = 0; i < tenths; i++)); do "$@" && return 0; sleep 0.1; done
  return 1
}

(cd "$work" && cmake -E tar xf "$zip")
program=$(echo "$work"/zorrel-*/zorrel.exe)
[ -f "$program" ] || fail "no zorrel.exe in $zip"

# A fresh prefix, with its server kept running from the start: otherwise
# the first program to open a window can hang.
mkdir "$WINEPREFIX"
wineserver -p
wine cmd /c exit 2>/dev/null
step "fresh Wine prefix"

option() {
  wine reg query 'HKCU\Software\Pocketfolk\Coilwerks' /v 'Zorrel Sound' 2>/dev/null |
    tr -d '\r' | awk '$1 == "Zorrel" && $3 == "REG_SZ" {print $4}'
}
[ -z "$(option)" ] || fail "the fresh prefix already holds the option"

(cd "$(dirname "$program")" && exec wine ./zorrel.exe) 2>"$work/stderr" &
pid=$!

toy=
toyWindow() {
  toy=$(xdotool search --onlyvisible --name '^Zorrel$' 2>/dev/null | head -n 1)
  [ -n "$toy" ]
}
within 200 toyWindow || fail "no toy window"
field() { xwininfo -id "$toy" -shape | awk -F': *' -v name="$1" '$1 ~ name {print $2; exit}'; }
x() { field 'Absolute upper-left X'; }
# Shaped: the outline is smaller than the window, which Wine's plain
# windows never are.
shaped() { [ -n "$(field 'Window shape extents')" ]; }
# The body, in the toy's client coordinates.
body() {
  echo "$(($(x) + 37)) $(($(field 'Absolute upper-left Y') + 38))"
}
# Top-most: the pointer on the body is over the toy, whatever else is there.
onTop() {
  # shellcheck disable=SC2046
  [ "$(xdotool mousemove $(body) sleep 0.1 getmouselocation --shell | sed -n 's/^WINDOW=//p')" = "$toy" ]
}
within 50 shaped || fail "the toy window has no shape"
within 50 onTop || fail "another window is above the toy"
# A window that the window manager activates over it does not cover it.
wine notepad &
notepad=$!
other=
otherWindow() {
  other=$(xdotool search --onlyvisible --class notepad.exe 2>/dev/null | head -n 1)
  [ -n "$other" ]
}
within 100 otherWindow || fail "no other window to activate"
xdotool windowsize "$other" 400 300 windowmove "$other" $(($(x) - 100)) $(($(field 'Absolute upper-left Y') - 100)) \
  windowactivate --sync "$other"
within 30 onTop || fail "an activated window covers the toy"
kill "$notepad"
wait "$notepad" 2>/dev/null || true
step "shaped top-most window $(field 'Width')x$(field 'Height') at x $(x)"

optionIs() { [ "$(option)" = "$1" ]; }
# The first start stores the default, sound on.
within 100 optionIs True || fail "the first start did not store Zorrel Sound=True (got '$(option)')"
step "registry holds Zorrel Sound=True"

# The loudest sample the sink got from byte $1 on.
loudest() {
  tail -c "+$(($1 + 1))" "$ZORREL_SINK_RAW" | od -An -v -td2 -w2 |
    awk '{v = $1 < 0 ? -$1 : $1; if (v > m) m = v} END {print m + 0}'
}
heard() { [ "$(loudest "$from")" -gt 1000 ]; }
walkedLeft() { [ "$(x)" -lt $((start - 10)) ]; }
# Unmoved for half a second.
still() {
  local before
  before=$(x)
  sleep 0.5
  [ "$(x)" = "$before" ]
}

start=$(x)
from=$(stat -c %s "$ZORREL_SINK_RAW")
# shellcheck disable=SC2046
xdotool mousemove $(body) sleep 0.2 mousedown 1 sleep 0.2 click 3 sleep 0.2 click 3
within 50 heard || fail "no winding click in the sink (loudest $(loudest "$from"))"
step "wound; its click heard (peak $(loudest "$from"))"
[ "$(x)" = "$start" ] || fail "it moved while held"
xdotool mouseup 1
within 50 walkedLeft || fail "released, it did not walk left (x $start to $(x))"
step "released, it walks left (x $start to $(x))"

menuOpen() { [ "$(xdotool search --onlyvisible --class zorrel.exe 2>/dev/null | wc -l)" -gt 1 ]; }
chooseFromMenu() {
  # shellcheck disable=SC2046
  xdotool mousemove $(body) sleep 0.2 click 3
  within 30 menuOpen || fail "no popup menu"
  # Mapped a moment before it takes the keyboard.
  xdotool sleep 0.3 key "$1"
}
# The walk ends first, so that the body stays where the pointer goes.
within 20 still || fail "the walk did not end"
chooseFromMenu s
within 50 optionIs False || fail "Sound did not store Zorrel Sound=False (got '$(option)')"
step "menu Sound stored Zorrel Sound=False"

chooseFromMenu e
ended() { ! kill -0 "$pid" 2>/dev/null; }
within 100 ended || fail "Exit did not end the program"
status=0
wait "$pid" || status=$?
pid=
[ "$status" = 0 ] || fail "Exit ended it with status $status"
[ ! -s "$work/stderr" ] || fail "it wrote on stderr"
step "menu Exit ended it with status 0"
