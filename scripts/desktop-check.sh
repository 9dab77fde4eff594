#!/usr/bin/env bash
# The look and focus checks of the desktop matrix on one desktop, as a test:
# the toy looks right at rest, after a walk and after a drag, keeps the
# focus away from itself, and its about box takes the focus and closes on
# Esc. Exit status 77 (skipped) where private namespaces cannot be made.
#   scripts/desktop-check.sh DESKTOP [build-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
desktop=$1
build=${2:-$here/../build}
if [ "$(id -u)" -ne 0 ] || ! unshare -mnp --fork true 2>/dev/null; then
  echo "desktop-check: skipped, private namespaces need root" >&2
  exit 77
fi
out=$(mktemp -d /tmp/zorrel-desktop-check.XXXXXX)
trap 'rm -rf "$out"' EXIT
"$here/desktop-matrix.sh" "$out" "$build" "$desktop" >/dev/null
row=$(tail -n 1 "$out/table.md")
echo "$row"
IFS='|' read -r _ _ _ look _ focus _ _ about _ <<<"$row"
if [[ $look != " right " || $focus != " yes " || $about != " yes " ]]; then
  sed 's/^/  /' "$out/$desktop/log.txt" | grep -v '^  *$' | tail -n 40
  exit 1
fi
