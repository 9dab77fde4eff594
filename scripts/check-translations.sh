#!/usr/bin/env bash
# Checks that every translation in translations/ is current and finished:
# lupdate, run on the program's sources as the build runs it, changes no
# file, and no message is unfinished, obsolete or vanished. Names each fault.
#   scripts/check-translations.sh [BUILD-DIR]     (default: build)
# The build folder gives lupdate's sources and options (written by
# src/i18n/CMakeLists.txt) and the lupdate to run.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
config="$build/src/i18n/lupdate-check.sh"
[ -f "$config" ] || { echo "check-translations: no $config; configure $build first" >&2; exit 2; }
# Sets lupdate, options (an array) and sources (a file listing them).
# shellcheck source=/dev/null
. "$config"

work=$(mktemp -d /tmp/zorrel-translations.XXXXXX)
trap 'rm -rf "$work"' EXIT
cp translations/*.ts "$work/"
"$lupdate" "${options[@]}" "@$sources" -ts "$work"/*.ts >"$work/lupdate.log" 2>&1 ||
  { cat "$work/lupdate.log" >&2; exit 1; }

status=0
for ts in translations/*.ts; do
  name=$(basename "$ts")
  if ! diff -u "$ts" "$work/$name" >"$work/$name.diff"; then
    echo "check-translations: $ts is not current with the sources; run" \
      "'cmake --build $build --target zorrel_i18n_lupdate' and translate what is new:" >&2
    cat "$work/$name.diff" >&2
    status=1
  fi
  for state in unfinished obsolete vanished; do
    count=$(grep -c "type=\"$state\"" "$work/$name" || true)
    if [ "$count" -gt 0 ]; then
      echo "check-translations: $ts has $count $state message(s)" >&2
      status=1
    fi
  done
done
[ "$status" -eq 0 ] && echo "check-translations: $(ls translations/*.ts | wc -l) translations current and finished"
exit "$status"
