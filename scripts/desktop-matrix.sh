#!/usr/bin/env bash
# Runs the real program under each desktop on its own and writes what a
# person would see there: a table (table.md), a log and screenshots per
# desktop, under the folder given (default: desktop-matrix-<date>).
#   scripts/desktop-matrix.sh [folder] [build-dir] [desktop...]
# Desktops: openbox xfwm4 kwin_x11 mutter-x11 kwin_wayland mutter-wayland
# with the toy's default surface (X11); sway and kwin_wayland-layer with its
# own Wayland surface; sway-x11 with --window-system=x11.
# Needs root: each desktop runs in private mount, network and process
# namespaces with its own /tmp and display :0, so it touches nobody's
# displays and leaves no process behind.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" = "--inside" ]; then
  shift
  # shellcheck source=scripts/desktop-matrix/inside.sh
  . "$here/desktop-matrix/inside.sh"
  exit
fi

out=$(realpath -m "${1:-desktop-matrix-$(date -u +%Y%m%d-%H%M)}")
build=$(realpath "${2:-$here/../build}")
shift $(($# > 2 ? 2 : $#))
desktops=("$@")
[ ${#desktops[@]} -gt 0 ] ||
  desktops=(openbox xfwm4 kwin_x11 mutter-x11 kwin_wayland kwin_wayland-layer mutter-wayland sway sway-x11)
[ "$(id -u)" -eq 0 ] || { echo "desktop-matrix: run as root (private namespaces)" >&2; exit 1; }
[ -x "$build/zorrel" ] || { echo "desktop-matrix: no $build/zorrel; build first" >&2; exit 1; }

mkdir -p "$out/tools"
# pkg-config's flags are meant to be split into words.
# shellcheck disable=SC2046
cc -O2 -o "$out/tools/outline" "$here/desktop-matrix/outline.c" \
  $(pkg-config --cflags --libs xcb xcb-shape)
# shellcheck disable=SC2046
cc -O2 -o "$out/tools/backdrop" "$here/desktop-matrix/backdrop.c" $(pkg-config --cflags --libs xcb)
# sway's seat needs a pointer before its own pointer input reaches clients.
if [[ " ${desktops[*]} " == *" sway"* ]]; then
  # shellcheck disable=SC2046
  cc -O2 -o "$out/tools/pointer" "$here/desktop-matrix/pointer.c" $(pkg-config --cflags --libs wayland-client)
fi
# The program with its sounds and audio module, as installed beside it.
mkdir -p "$out/tools/toy"
cp "$build/zorrel" "$build"/libzorrel-sound.so "$build"/Korrin[01].wav "$out/tools/toy/"

{
  echo "Desktops, $(date -u '+%Y-%m-%d %H:%M UTC'), $(. /etc/os-release && echo "$PRETTY_NAME"), Xwayland $(dpkg-query -W -f='${Version}' xwayland 2>/dev/null || echo -)"
  echo
  echo "| desktop | version | look at rest, after a walk, after a drag | above, off task bar, every workspace | focus kept | walks, drag follows | menu | about box focused, Esc closes | Exit status 0 |"
  echo "|---|---|---|---|---|---|---|---|---|"
} >"$out/table.md"
for desktop in "${desktops[@]}"; do
  mkdir -p "$out/$desktop"
  echo "== $desktop"
  timeout -k 5 180 unshare -mnp --fork --mount-proc --propagation private "$here/desktop-matrix.sh" --inside "$desktop" "$out/$desktop" "$out/tools" \
    >"$out/$desktop/log.txt" 2>&1 || echo "exit status $?" >>"$out/$desktop/log.txt"
  if [ -s "$out/$desktop/row.md" ]; then
    cat "$out/$desktop/row.md" >>"$out/table.md"
  else
    echo "| $desktop | did not start | | | | | | | |" >>"$out/table.md"
  fi
  tail -n 1 "$out/table.md"
done
echo "table: $out/table.md"
