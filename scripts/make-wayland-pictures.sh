#!/usr/bin/env bash
# Pictures of the toy on its own Wayland surface under headless sway, from
# the sway checks' own runs (scripts/wayland-check.sh): walking over a
# window at output scale 1 and at scale 2, its menu open and its about box.
# Made whatever the checks find; their logs stay beside the pictures.
#   scripts/make-wayland-pictures.sh FOLDER [build-dir]     (as root)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$(realpath -m "${1:?usage: make-wayland-pictures.sh FOLDER [build-dir]}")
build=${2:-$here/../build}
work=$(mktemp -d /tmp/zorrel-wayland-pictures.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
for part in main scale2; do
  "$here/wayland-check.sh" --part=$part "$build" "$work" >/dev/null
  cp "$work/$part/log.txt" "$out/sway-$part-log.txt"
done
# name in the checks' folder -> name here
for pair in main/walk:sway-scale1-walking main/menu:sway-menu-open main/about:sway-about-box \
  scale2/walk-2-1:sway-scale2-walking; do
  if [ -f "$work/${pair%%:*}.png" ]; then
    cp "$work/${pair%%:*}.png" "$out/${pair#*:}.png"
    echo "$out/${pair#*:}.png"
  else
    echo "make-wayland-pictures: no ${pair%%:*}.png (see $out/sway-*-log.txt)" >&2
  fi
done
