# Sourced by desktop-matrix.sh inside private mount, network and process
# namespaces (whatever it starts ends with it):
# starts one desktop with its own display :0, runs the program there, checks
# it and writes row.md, log lines and screenshots into the given folder.
# Arguments: row folder tools-folder. A row is a desktop and the toy's
# surface there: its default, or sway-x11 (X11 on sway) and sway and
# kwin_wayland-layer (its own Wayland surface, inside-wayland.sh).
row=$1 dir=$2 tools=$3
set +e -uo pipefail
surface=()
case $row in
sway-x11) desktop=sway surface=(--window-system=x11) ;;
kwin_wayland-layer) desktop=kwin_wayland ;;
*) desktop=$row ;;
esac
if [ "$row" = sway ] || [ "$row" = kwin_wayland-layer ]; then
  # shellcheck source=scripts/desktop-matrix/inside-wayland.sh
  . "$(dirname "${BASH_SOURCE[0]}")/inside-wayland.sh"
  return
fi

# shellcheck source=scripts/desktop-matrix/start-desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/start-desktop.sh"
log "desktop: $version"

# Input. XTEST events reach no X client under sway's Xwayland, so there
# sway itself moves its cursor and presses the buttons; that needs a pointer
# device on its seat (pointer.c holds a virtual one). Keys come from wtype's
# virtual keyboard; without a pause first Xwayland misses the first press.
no_input="no XTEST input"
park() { :; }
if [ "$desktop" = sway ]; then
  export SWAYSOCK WAYLAND_DISPLAY
  SWAYSOCK=$(ls /tmp/sway-run/sway-ipc.*.sock)
  WAYLAND_DISPLAY=$(basename /tmp/sway-run/wayland-?)
  no_input="no input from sway"
  install -m 755 "$tools/pointer" /tmp/pointer
  nobody env WAYLAND_DISPLAY="$WAYLAND_DISPLAY" /tmp/pointer >/tmp/pointer.log 2>&1 &
  within 5 grep -q ready /tmp/pointer.log || log "no virtual pointer: $(cat /tmp/pointer.log)"
  cursor() { swaymsg seat seat0 cursor "$@" >/dev/null; }
  pointer_to() { cursor set "$1" "$2" && sleep 0.1; }
  press() { cursor press "button$1"; }
  release() { cursor release "button$1"; }
  key() { nobody env WAYLAND_DISPLAY="$WAYLAND_DISPLAY" wtype -s 500 -k "$1"; }
  # sway draws its cursor into the pictures: kept in a corner for them.
  park() { pointer_to 1010 755; }
  # Its own record of the toy's window.
  sway_view() { swaymsg -t get_tree | jq -rc ".. | objects | select(.window? == $window) | $1"; }
else
  pointer_to() { xdotool mousemove "$@" && sleep 0.1; }
  press() { xdotool mousedown "$1"; }
  release() { xdotool mouseup "$1"; }
  key() { xdotool key "$1"; }
fi
click() { press "$1" && release "$1"; }

# A coloured window under the toy's place in the middle of the screen.
xmessage -name backdrop -bg '#3070d0' -fg '#3070d0' -geometry 600x460+212+154 backdrop >/dev/null 2>&1 &
within 10 sh -c 'xdotool search --onlyvisible --name "^backdrop$"' || log "no backdrop window"
backdrop=$(xdotool search --onlyvisible --name '^backdrop$' | head -n 1)
xdotool windowmove "$backdrop" 212 154 windowsize "$backdrop" 600 460 2>/dev/null
sleep 1.5
park
shot "$dir/backdrop.png"

toy_pid=
window=
launch() {
  /tmp/toy/zorrel "${surface[@]}" >/tmp/toy.log 2>&1 &
  toy_pid=$!
  within 10 sh -c "xdotool search --onlyvisible --pid $toy_pid" || return 1
  window=$(xdotool search --onlyvisible --pid "$toy_pid" | head -n 1)
  sleep 1
}
# Client area's top-left corner on the screen.
where() { xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x, y}'; }
point() { # client point x y -> screen point
  local x y
  read -r x y < <(where)
  echo $((x + $1)) $((y + $2))
}

# The toy's rectangle in a picture: pixels outside its outline show what
# the backdrop picture shows there, and its figure shows inside.
look() { # name
  local name=$1 x y
  read -r x y < <(where)
  park
  shot "$dir/$name.png" || { log "look $name: no picture"; return 1; }
  "$tools/outline" "$window" >/tmp/outline.txt || return 1
  convert -size 69x96 xc:black -fill white -draw "$(cat /tmp/outline.txt)" /tmp/mask.png
  convert "$dir/backdrop.png" -crop "69x96+$x+$y" +repage /tmp/under.png
  convert "$dir/$name.png" -crop "69x96+$x+$y" +repage /tmp/seen.png
  cp /tmp/seen.png "$dir/$name-toy.png"
  # The picture inside the outline, the backdrop outside it.
  convert /tmp/under.png /tmp/seen.png /tmp/mask.png -composite /tmp/expected.png
  local outside inside area
  outside=$(compare -fuzz 6% -metric AE /tmp/seen.png /tmp/expected.png null: 2>&1 | cut -d' ' -f1)
  inside=$(compare -fuzz 6% -metric AE /tmp/seen.png /tmp/under.png null: 2>&1 | cut -d' ' -f1)
  area=$(convert /tmp/mask.png -format '%[fx:int(mean*w*h+0.5)]' info:)
  log "look $name at $x,$y: $outside pixels wrong outside the outline, $inside of $area inside differ from the backdrop"
  [ "${outside%.*}" -le 3 ] && [ "${inside%.*}" -ge $((area / 2)) ]
}
focus() { xdotool getwindowfocus 2>/dev/null; }

results=()
mark() { results+=("$([ "$1" -eq 0 ] && echo "$2" || echo "$3")"); }

launch || { log "the toy did not start"; cat /tmp/toy.log; exit 1; }
log "toy window $window at $(where)"
sleep 0.5
start_states=$(xprop -id "$window" _NET_WM_STATE 2>&1)
log "toy states at start: $start_states"
if [ "$desktop" = sway ]; then
  # sway keeps no EWMH states: what it does instead, and whether the toy
  # shows on another workspace.
  sway_type=$(sway_view .type) sway_sticky=$(sway_view .sticky)
  swaymsg workspace 2 >/dev/null && sleep 0.3
  sway_elsewhere=$(sway_view .visible)
  swaymsg workspace 1 >/dev/null && sleep 0.3
  log "sway: toy is $sway_type, sticky $sway_sticky, visible on workspace 2: $sway_elsewhere"
fi
# The backdrop is the window the user works in: clicked beside the toy.
read -r bx by < <(point -120 30)
pointer_to "$bx" "$by" && click 1
sleep 0.8
typing=$(focus)
log "focus on $typing (backdrop $backdrop)"
states=$(xprop -id "$window" _NET_WM_STATE _NET_WM_DESKTOP 2>&1 | tr '\n' ' ')
log "toy states: $states"

look rest
rest=$?
read -r sx sy < <(where)
# Wind and let it walk.
read -r px py < <(point 37 38)
pointer_to "$px" "$py" && press 1 && click 3 && click 3 && click 3 && sleep 0.3 && release 1
# Its outline while it walks: changing poses show a walk even in place.
for _ in $(seq 10); do "$tools/outline" "$window" | md5sum; sleep 0.1; done >/tmp/poses.txt
poses=$(sort -u /tmp/poses.txt | wc -l)
# Its place and its outline: where a desktop keeps the window in place the
# toy walks on the spot, and only its outline tells when it stops.
place() { echo "$(where) $("$tools/outline" "$window" | md5sum)"; }
still() { # waits until the toy keeps its place and pose for half a second
  local before now
  for _ in $(seq 40); do
    before=$(place)
    sleep 0.5
    now=$(place)
    [ "$now" = "$before" ] && return 0
  done
  return 1
}
still
read -r wx wy < <(where)
log "walked from $sx,$sy to $wx,$wy, $poses poses in its first second"
walked=$((wx < sx - 10 ? 0 : 1))
look walk
walk_look=$?
focus_walk=$(focus)
# Drag by (60, 40) in steps.
read -r px py < <(point 37 38)
pointer_to "$px" "$py" && press 1
for i in 1 2 3 4 5 6; do pointer_to $((px + 10 * i)) $((py + 40 * i / 6)); done
release 1
sleep 1
read -r dx dy < <(where)
log "dragged from $wx,$wy to $dx,$dy"
dragged=$((dx - wx >= 57 && dx - wx <= 63 && dy - wy >= 37 && dy - wy <= 43 ? 0 : 1))
look drag
drag_look=$?
focus_drag=$(focus)
log "focus after the walk $focus_walk, after the drag $focus_drag"
if [ "$desktop" = sway ]; then
  sway_focused=$(sway_view .focused)
  log "sway has the toy at $(sway_view .rect), focused: $sway_focused, active window: $(xprop -root _NET_ACTIVE_WINDOW)"
fi
# Where the toy stayed: does the desktop move its window when another X
# client asks (as the toy asks for each step)?
moves_ignored=1
if [ $walked -ne 0 ] || [ $dragged -ne 0 ]; then
  xdotool windowmove "$window" $((dx - 50)) "$dy"
  sleep 1
  read -r mx my < <(where)
  log "xdotool windowmove to $((dx - 50)),$dy: the window is at $mx,$my"
  [ "$mx,$my" = "$dx,$dy" ] && moves_ignored=0
fi

[ $rest -eq 0 ] && [ $walk_look -eq 0 ] && [ $drag_look -eq 0 ]
mark $? right "wrong ($([ $rest -eq 0 ] && echo right || echo wrong), $([ $walk_look -eq 0 ] && echo right || echo wrong), $([ $drag_look -eq 0 ] && echo right || echo wrong))"
[[ $states == *ABOVE* && $states == *SKIP_TASKBAR* && ($states == *STICKY* || $states == *4294967295*) ]]
above_states=$?
[ $rest -eq 0 ] && [ $above_states -eq 0 ]
mark $? yes "no ($states)"
if [ "$desktop" = sway ] && [ $above_states -ne 0 ]; then
  results[1]="no: sway sets no EWMH states; $([ "$sway_type" = floating_con ] && echo "the toy floats, above tiled windows" || echo "the toy is tiled"), $([ "$sway_sticky" = true ] && echo sticky || echo "not sticky"), $([ "$sway_elsewhere" = true ] && echo shows || echo "does not show") on another workspace; no task bar"
fi
attention=$(echo "$start_states $(xprop -id "$window" _NET_WM_STATE)" | grep -o DEMANDS_ATTENTION | wc -l)
[ "$focus_walk" = "$typing" ] && [ "$focus_drag" = "$typing" ] && [ "$attention" -eq 0 ]
mark $? yes "no (focus $focus_walk $focus_drag, demands attention $attention)"
if [ "$desktop" = sway ] && [ "$sway_focused" = true ] && [ -z "$focus_walk$focus_drag" ]; then
  results[2]="no: sway focuses the toy when it is pressed, though it takes no input, and then no window has the X focus"
fi
[ $walked -eq 0 ] && [ $dragged -eq 0 ]
mark $? yes "no (walk $walked, drag $dragged)"
if [ $moves_ignored -eq 0 ] && [ "$poses" -gt 1 ]; then
  results[3]="no: $desktop ignores the moves an X window asks for (xdotool windowmove too); the toy walks in place ($poses poses in a second)"
fi

# The menu, then its about box.
count() { xdotool search --onlyvisible --pid "$toy_pid" 2>/dev/null | wc -l; }
# Counted afresh on every try: the menu may map a while after the click.
menu_shown() { [ "$(count)" -gt 1 ]; }
open_menu() {
  read -r px py < <(point 37 38)
  pointer_to "$px" "$py" && click 3 && within 3 menu_shown
}
open_menu
menu=$?
[ $menu -eq 0 ] && shot "$dir/menu.png"
key a
about_focus=1
if within 5 sh -c "xdotool search --onlyvisible --name '^About Zorrel$'"; then
  about=$(xdotool search --onlyvisible --name '^About Zorrel$' | head -n 1)
  sleep 1
  shot "$dir/about.png"
  about_states=$(xprop -id "$about" _NET_WM_STATE 2>&1)
  log "about box $about, focus on $(focus), states: $about_states"
  [ "$(focus)" = "$about" ] && [[ $about_states != *DEMANDS_ATTENTION* ]] && key Escape &&
    within 2 sh -c "! xdotool search --onlyvisible --name '^About Zorrel$'"
  about_focus=$?
  # Closed all the same, so that Exit is tried even so.
  if [ $about_focus -ne 0 ]; then
    xdotool windowactivate "$about"
    key Escape
    sleep 1
  fi
else
  log "no about box"
  menu=1
fi
mark $menu yes no
mark $about_focus yes no

# Exit from the menu.
sleep 0.5
status=none
if open_menu && key e; then
  for _ in $(seq 50); do kill -0 "$toy_pid" 2>/dev/null || break; sleep 0.1; done
  if ! kill -0 "$toy_pid" 2>/dev/null; then
    wait "$toy_pid"
    status=$?
  fi
fi
log "exit status $status"
[ "$status" = 0 ]
mark $? yes "no ($status)"

# Where no synthetic press reached the toy, what needs input is untested.
if [ $walked -ne 0 ] && [ $dragged -ne 0 ] && [ $menu -ne 0 ]; then
  for i in 3 4 5 6; do results[i]="untested: $no_input"; done
fi
echo "| $row | $version | ${results[0]} | ${results[1]} | ${results[2]} | ${results[3]} | ${results[4]} | ${results[5]} | ${results[6]} |" >"$dir/row.md"
cat "$dir/row.md"
