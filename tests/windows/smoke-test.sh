#!/usr/bin/env bash
# The Windows build as a user gets it: the zip unpacked into a fresh Wine
# prefix, zorrel.exe started on the private desktop of
# scripts/with-test-desktop.sh, wound with the two-button gesture (its click
# must reach the sound server's sink), walking left, its Sound menu item
# changing the registry value, and Exit ending it with status 0. Then, at
# 150 % and 200 %, its window and outline at that scale.
#   tests/windows/smoke-test.sh ZIP
set -euo pipefail
zip=$(realpath "$1")
: "${DISPLAY:?run me under scripts/with-test-desktop.sh}" "${ZORREL_SINK_RAW:?}"

name=smoke-test
work=$(mktemp -d /tmp/zorrel-windows-smoke.XXXXXX)
# shellcheck source=tests/windows/wine-desktop.sh
. "$(dirname "$0")/wine-desktop.sh"

(cd "$work" && cmake -E tar xf "$zip")
program=$(echo "$work"/zorrel-*/zorrel.exe)
[ -f "$program" ] || fail "no zorrel.exe in $zip"

freshPrefix
step "fresh Wine prefix"
[ -z "$(option)" ] || fail "the fresh prefix already holds the option"

startToy "$program"
# The head, in the toy's client coordinates.
body() { screenPoint 37 38; }
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
xdotool windowsize "$other" 400 300 windowmove "$other" $(($(x) - 100)) $(($(y) - 100)) \
  windowactivate --sync "$other"
within 30 onTop || fail "an activated window covers the toy"
kill "$notepad"
wait "$notepad" 2>/dev/null || true
step "shaped top-most window $(field 'Width')x$(field 'Height') at x $(x)"
# The outline at 100 %, which the larger scales below must scale.
extents=$(field 'Window shape extents')
# shellcheck disable=SC2046
[ "$(windowAt $(screenPoint 30 64))" = "$toy" ] || fail "the body is not the toy's"
# shellcheck disable=SC2046
[ "$(windowAt $(screenPoint 30 81))" != "$toy" ] || fail "the gap between the legs is the toy's"

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

menu=
menuOpen() {
  menu=$(xdotool search --onlyvisible --class zorrel.exe 2>/dev/null | grep -vx "$toy" | head -n 1)
  [ -n "$menu" ]
}
chooseFromMenu() {
  # shellcheck disable=SC2046
  xdotool mousemove $(body) sleep 0.2 click 3
  within 30 menuOpen || fail "no popup menu"
  # Under Wine, openbox sometimes keeps the X keyboard focus on its own
  # window once a popup has closed, so the next popup would not hear its
  # access keys; on Windows the popup has the keyboard.
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$menu" ] || xdotool windowfocus --sync "$menu"
  xdotool sleep 0.2 key "$1"
}
# The walk ends first, so that the body stays where the pointer goes.
within 20 still || fail "the walk did not end"
chooseFromMenu s
within 50 optionIs False || fail "Sound did not store Zorrel Sound=False (got '$(option)')"
step "menu Sound stored Zorrel Sound=False"

chooseFromMenu e
ended() { ! kill -0 "$pid" 2>/dev/null; }
within 100 ended ||
  fail "Exit did not end the program ($(xdotool search --onlyvisible --class zorrel.exe | wc -l) windows left)"
status=0
wait "$pid" || status=$?
pid=
[ "$status" = 0 ] || fail "Exit ended it with status $status"
[ ! -s "$work/stderr" ] || fail "it wrote on stderr"
step "menu Exit ended it with status 0"

# Larger scales, as Windows' display settings choose them: Wine takes the
# DPI from LogPixels. The window is the logical size times the scale, and
# its shape the outline's: the extents scaled, the body inside it and the
# gap between the legs outside.
read -r w h ex ey < <(tr 'x+' '  ' <<<"$extents")
near() { [ $(($1 - $2)) -ge -1 ] && [ $(($1 - $2)) -le 1 ]; }
scaled() { awk -v v="$1" -v s="$2" 'BEGIN {printf "%d\n", v * s + 0.5}'; }
for dpi in 144 192; do
  scale=$(awk -v d="$dpi" 'BEGIN {print d / 96}')
  percent=$((dpi * 100 / 96))
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  startToy "$program"
  within 50 shaped || fail "at $percent %, the toy window has no shape"
  within 50 onTop "$scale" || fail "at $percent %, another window is above the toy"
  for measure in Width:69 Height:96; do
    side=${measure%:*} logical=${measure#*:}
    near "$(field "$side")" "$(scaled "$logical" "$scale")" ||
      fail "at $percent %, the window's $side is $(field "$side"), not $(scaled "$logical" "$scale")"
  done
  read -r sw sh sx sy < <(field 'Window shape extents' | tr 'x+' '  ')
  outlineScaled() {
    near "$sw" "$(scaled "$w" "$scale")" && near "$sh" "$(scaled "$h" "$scale")" &&
      near "$sx" "$(scaled "$ex" "$scale")" && near "$sy" "$(scaled "$ey" "$scale")"
  }
  outlineScaled ||
    fail "at $percent %, the shape's extents are ${sw}x${sh}+${sx}+${sy}, from $extents at 100 %"
  # shellcheck disable=SC2046
  [ "$(windowAt $(screenPoint 30 64 "$scale"))" = "$toy" ] || fail "at $percent %, the body is not the toy's"
  # shellcheck disable=SC2046
  [ "$(windowAt $(screenPoint 30 81 "$scale"))" != "$toy" ] ||
    fail "at $percent %, the gap between the legs is the toy's"
  size="$(field Width)x$(field Height)"
  stopToy
  [ ! -s "$work/stderr" ] || fail "at $percent %, it wrote on stderr"
  step "at $percent %: window $size, outline ${sw}x${sh}+${sx}+${sy}"
done
