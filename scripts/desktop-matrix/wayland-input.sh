# Sourced after start-desktop.sh on sway or kwin_wayland: the toy's Wayland
# surface has no X window to find or move, so it is driven through the
# compositor's own input and found in pictures. Gives:
#   pointer: on sway a virtual pointer on its seat, moved and pressed with
#     `vp move X Y`, `vp press N`, `vp release N` (see pointer.c), each
#     returning once sway has taken it in; on KWin the pointer of the Xvfb
#     it is nested in; `vp extent W H` for a layout that
#     is not 1024x768; `park` to keep sway's cursor out of the pictures;
#   key NAME: a key;
#   focused: the name of the window that has the keyboard;
#   focus_window NAME, close_window NAME, to_workspace N (fails where the
#     desktop offers none);
#   box REFERENCE PICTURE: "w h x y" of what differs from the reference;
#   launch_toy: the toy on its Wayland surface, toy_pid.
case $desktop in
sway)
  export SWAYSOCK WAYLAND_DISPLAY
  SWAYSOCK=$(ls /tmp/sway-run/sway-ipc.*.sock)
  WAYLAND_DISPLAY=$(ls -d /tmp/sway-run/wayland-? | head -n 1)
  install -m 755 "$tools/pointer" /tmp/pointer
  mkfifo /tmp/pointer.in
  # Held open for writing by this shell, so that the pointer never reads an end.
  exec 9<>/tmp/pointer.in
  nobody env WAYLAND_DISPLAY="$WAYLAND_DISPLAY" /tmp/pointer <&9 >/tmp/pointer.log 2>/tmp/pointer.err &
  within 5 grep -q ready /tmp/pointer.log || log "no virtual pointer: $(cat /tmp/pointer.err)"
  pointer_acks=0
  vp() {
    echo "$*" >&9
    pointer_acks=$((pointer_acks + 1))
    for _ in $(seq 300); do
      [ "$(grep -c '^ok' /tmp/pointer.log)" -ge $pointer_acks ] && return 0
      sleep 0.01
    done
    log "the virtual pointer did not take: $*"
    return 1
  }
  key() { nobody env WAYLAND_DISPLAY="$WAYLAND_DISPLAY" wtype -s 300 -k "$1"; }
  focused() { swaymsg -t get_tree | jq -r '.. | objects | select(.focused? == true) | .name // "none"'; }
  focus_window() { swaymsg "[title=\"^$1\$\"] focus" >/dev/null; }
  to_workspace() { swaymsg workspace "$1" >/dev/null && sleep 0.3; }
  close_window() { swaymsg "[title=\"^$1\$\"] kill" >/dev/null; }
  ;;
kwin_wayland)
  # Nested in an Xvfb: a pointer and keys there are KWin's own input.
  export WAYLAND_DISPLAY=wl-zorrel
  vp() {
    case $1 in
    move) DISPLAY=:1 xdotool mousemove "$2" "$3" ;;
    press) DISPLAY=:1 xdotool mousedown "$2" ;;
    release) DISPLAY=:1 xdotool mouseup "$2" ;;
    extent) ;;
    esac
    sleep 0.02
  }
  key() { sleep 0.3 && DISPLAY=:1 xdotool key "$1"; }
  focused() { xdotool getwindowfocus getwindowname 2>/dev/null || echo none; }
  focus_window() { xdotool search --onlyvisible --name "^$1\$" windowactivate 2>/dev/null; }
  # Its virtual desktops are reached through its session's bus: a second
  # one made on the first call.
  kwin() { # object method arguments...
    local bus
    bus=$(tr '\0' '\n' </proc/"$(pgrep -x kwin_wayland | head -n 1)"/environ | sed -n 's/^DBUS_SESSION_BUS_ADDRESS=//p')
    DBUS_SESSION_BUS_ADDRESS=$bus dbus-send --session --print-reply --dest=org.kde.KWin "$@"
  }
  to_workspace() {
    if [ -z "${kwin_desktops:-}" ]; then
      kwin /VirtualDesktopManager org.kde.KWin.VirtualDesktopManager.createDesktop uint32:1 string:two >/dev/null || return 1
      kwin_desktops=2
    fi
    kwin /KWin org.kde.KWin.setCurrentDesktop int32:"$1" | grep -q 'boolean true' && sleep 0.5
  }
  close_window() { xdotool search --onlyvisible --name "^$1\$" windowclose 2>/dev/null; }
  ;;
esac
park_at="1010 755"
park() { vp move $park_at && sleep 0.1; }

# What differs from the reference picture (6% colour fuzz), as its bounding
# box "w h x y"; empty if nothing differs.
box() {
  compare -fuzz 6% "$1" "$2" -compose src -highlight-color white -lowlight-color black - 2>/dev/null |
    convert - -trim -format "%w %h %X %Y" info: 2>/dev/null | tr -d + | awk '$1 > 1 || $2 > 1'
}
# Pixels of a rectangle "w h x y" that differ from the reference by more
# than the fuzz given.
differing() { # reference picture fuzz w h x y
  convert "$1" -crop "$4x$5+$6+$7" +repage /tmp/differing-a.png &&
    convert "$2" -crop "$4x$5+$6+$7" +repage /tmp/differing-b.png &&
    compare -fuzz "$3" -metric AE /tmp/differing-a.png /tmp/differing-b.png null: 2>&1 | cut -d' ' -f1 | cut -d. -f1
}
# Two rectangles "w h x y" share no pixel.
apart() { # w1 h1 x1 y1 w2 h2 x2 y2
  [ $(($3 + $1)) -le "$7" ] || [ $(($7 + $5)) -le "$3" ] || [ $(($4 + $2)) -le "$8" ] || [ $(($8 + $6)) -le "$4" ]
}
# An X window's rectangle "w h x y" on the screen.
x_rect() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width/ {w=$NF} /^ *Height/ {h=$NF} END {print w, h, x, y}'
}

# A window of one colour that reports the presses it gets.
start_backdrop() {
  "$tools/backdrop" 3070d0 >/tmp/backdrop.log 2>&1 &
  within 10 sh -c 'xdotool search --onlyvisible --name "^backdrop$"' || log "no backdrop window"
  # Where the desktop does not tile it: under the middle of the screen.
  [ "$desktop" = sway ] || xdotool search --onlyvisible --name '^backdrop$' windowmove 212 154 2>/dev/null
}

toy_pid=
launch_toy() {
  /tmp/toy/zorrel --window-system=wayland "$@" >/tmp/toy.log 2>&1 &
  toy_pid=$!
}
