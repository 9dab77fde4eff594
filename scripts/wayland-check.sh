#!/usr/bin/env bash
# The toy on its own Wayland surface (--window-system=wayland) under headless
# sway, in private mount, network and process namespaces, driven through
# sway's virtual pointer and keyboard. One part per run:
#   main     over a coloured window: its look at rest and walking, a click
#            outside the outline reaches the window below, a click on it
#            leaves the keyboard focus where it was, a drag follows the
#            pointer, it walks, it shows on another workspace, its menu is
#            wholly visible and its first command winds it, the about box
#            opens beside it, and Exit ends it with status 0;
#   scale2   output scale 2: the outline steps one device pixel at a time and
#            the picture is as crisp as at scale 1 (no upscaling blur);
#   outputs  two outputs side by side: it walks from the right one onto the
#            left one and a drag carries it back, shown once in every picture
#            taken around the seam.
# Pictures and a log go to the folder given (else a temporary one).
# Exit status 77 (skipped) where private namespaces cannot be made.
#   scripts/wayland-check.sh [--part=main|scale2|outputs] [build-dir] [folder]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" = "--inside" ]; then
  part=$2 desktop=sway dir=$3 tools=$4
  set +e -uo pipefail
  # shellcheck source=scripts/desktop-matrix/start-desktop.sh
  . "$here/desktop-matrix/start-desktop.sh"
  # shellcheck source=scripts/desktop-matrix/wayland-input.sh
  . "$here/desktop-matrix/wayland-input.sh"
  log "desktop: $version, part $part"
  # shellcheck source=scripts/wayland-check/main.sh disable=SC1090
  . "$here/wayland-check/$part.sh"
  exit
fi

part=main
case "${1:-}" in
--part=*)
  part=${1#--part=}
  shift
  ;;
esac
[ -f "$here/wayland-check/$part.sh" ] || { echo "wayland-check: no part $part (main, scale2, outputs)" >&2; exit 2; }
build=$(realpath "${1:-$here/../build}")
if [ "$(id -u)" -ne 0 ] || ! unshare -mnp --fork true 2>/dev/null; then
  echo "wayland-check: skipped, private namespaces need root" >&2
  exit 77
fi
[ -x "$build/zorrel" ] || { echo "wayland-check: no $build/zorrel; build first" >&2; exit 1; }
if [ -n "${2:-}" ]; then
  out=$(realpath -m "$2")
  mkdir -p "$out"
else
  out=$(mktemp -d /tmp/zorrel-wayland-check.XXXXXX)
  trap 'rm -rf "$out"' EXIT
fi
mkdir -p "$out/tools/toy"
# pkg-config's flags are meant to be split into words.
# shellcheck disable=SC2046
cc -O2 -o "$out/tools/pointer" "$here/desktop-matrix/pointer.c" $(pkg-config --cflags --libs wayland-client)
# shellcheck disable=SC2046
cc -O2 -o "$out/tools/backdrop" "$here/desktop-matrix/backdrop.c" $(pkg-config --cflags --libs xcb)
cp "$build/zorrel" "$build"/libzorrel-sound.so "$build"/Korrin[01].wav "$out/tools/toy/"
mkdir -p "$out/$part"
status=0
start=$SECONDS
timeout -k 5 110 unshare -mnp --fork --mount-proc --propagation private "$0" --inside "$part" "$out/$part" "$out/tools" \
  >"$out/$part/log.txt" 2>&1 || status=$?
grep -E 'check|result|did not|toy:' "$out/$part/log.txt" || true
echo "wayland-check $part: $((SECONDS - start)) s, status $status"
[ $status -eq 0 ] || { tail -n 30 "$out/$part/log.txt"; exit 1; }
