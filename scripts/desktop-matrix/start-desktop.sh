# Sourced inside private mount, network and process namespaces: gives the
# namespace a fresh /tmp and starts one desktop ($desktop) with its X display
# :0, a picture taker `shot FILE` and the desktop's `version`. Needs $dir and
# $tools, folders that stay reachable (as /proc/1/fd/...) once /tmp is new.
# The folders stay reachable through open descriptors once a fresh /tmp
# hides them (the folder may be under /tmp).
exec 7<"$dir" 8<"$tools"
dir=/proc/$$/fd/7 tools=/proc/$$/fd/8
mount -t tmpfs tmpfs /tmp
mkdir -m 1777 /tmp/.X11-unix
export XDG_RUNTIME_DIR=/tmp/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export DISPLAY=:0 XDG_CONFIG_HOME=/tmp/config
mkdir -p "$XDG_CONFIG_HOME"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM XAUTHORITY
cp -r "$tools/toy" /tmp/toy

log() { echo "$(date +%T.%N | cut -c1-12) $*"; }
# Retries a command every 0.1 s for at most $1 seconds.
within() {
  local end=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.1
  done
}
xvfb() { Xvfb "$1" -screen 0 1024x768x24 -nolisten tcp -noreset >/tmp/xvfb"$1".log 2>&1 & within 10 xdpyinfo -display "$1"; }
has_wm() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }

# The desktop, and how to take a picture of the whole screen.
shot() { import -window root "$1"; }
version=
case $desktop in
openbox)
  xvfb :0 && { openbox --sm-disable & } && within 10 has_wm
  version=$(openbox --version | head -n 1)
  ;;
xfwm4)
  xvfb :0 && { dbus-run-session xfwm4 --compositor=on --sm-client-disable & } && within 15 has_wm
  version="xfwm4 $(xfwm4 --version | grep -o 'version [0-9.]*' | head -n 1 | cut -d' ' -f2), compositor on"
  ;;
kwin_x11)
  xvfb :0 && { dbus-run-session kwin_x11 --replace & } && within 30 has_wm
  version=$(kwin_x11 --version 2>/dev/null | tail -n 1)
  ;;
mutter-x11)
  xvfb :0 && { dbus-run-session mutter --x11 --replace & } && within 30 has_wm
  version="$(mutter --version | head -n 1) --x11"
  ;;
kwin_wayland)
  # Debian's binary carries a file capability that a container refuses.
  cp /usr/bin/kwin_wayland /tmp/kwin_wayland
  xvfb :1 && {
    DISPLAY=:1 dbus-run-session /tmp/kwin_wayland --x11-display :1 --xwayland --width 1024 \
      --height 768 --socket wl-zorrel --no-lockscreen &
  } && within 60 has_wm
  shot() { import -display :1 -window root "$1"; }
  version="$(/tmp/kwin_wayland --version 2>/dev/null | tail -n 1) Wayland, nested, llvmpipe"
  ;;
mutter-wayland)
  # Nested in an Xvfb, which gives the pictures; the headless backend
  # behaves the same but shows nothing one could read back.
  xvfb :1 && {
    DISPLAY=:1 dbus-run-session mutter --nested --wayland --wayland-display wl-zorrel &
  } && within 30 sh -c 'ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.*' &&
    XAUTHORITY=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* | head -n 1) && export XAUTHORITY &&
    within 30 has_wm
  shot() { import -display :1 -window root "$1"; }
  version="$(mutter --version | head -n 1) Wayland, nested"
  ;;
mutter-headless)
  # A virtual monitor of its own and a steady frame clock, for measuring;
  # it shows nothing one could read back.
  { dbus-run-session mutter --headless --wayland --virtual-monitor 1024x768 --wayland-display wl-zorrel & } &&
    within 30 sh -c 'ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.*' &&
    XAUTHORITY=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* | head -n 1) && export XAUTHORITY &&
    within 30 has_wm
  shot() { return 1; }
  version="$(mutter --version | head -n 1) Wayland, headless"
  ;;
sway)
  # sway refuses root: it and its pictures run as nobody.
  mkdir -m 700 /tmp/sway-run && chown 65534 /tmp/sway-run
  # Its Xwayland admits only its own user unless told otherwise.
  printf 'xwayland enable\noutput HEADLESS-1 resolution 1024x768\nexec xhost +si:localuser:root\n' >/tmp/sway.conf
  nobody() { setpriv --reuid=65534 --regid=65534 --clear-groups env XDG_RUNTIME_DIR=/tmp/sway-run HOME=/tmp "$@"; }
  WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman nobody sway -c /tmp/sway.conf &
  within 30 sh -c 'ls /tmp/sway-run/wayland-*' && within 30 xdpyinfo
  shot() { nobody sh -c 'WAYLAND_DISPLAY=$(basename /tmp/sway-run/wayland-?) grim /tmp/sway-run/shot.png' && cp /tmp/sway-run/shot.png "$1"; }
  version="$(sway --version), headless, pixman"
  ;;
esac
within 5 xdpyinfo || { log "the desktop did not start"; exit 1; }
