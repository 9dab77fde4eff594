#!/usr/bin/env bash
# Runs clang-tidy, as .clang-tidy sets it up, over the program's own sources
# (src/, tools/) with the compile commands of a build folder; any finding
# fails. The tests and benchmarks follow GoogleTest's and Google Benchmark's
# naming, so they are left out.
#   scripts/tidy.sh [BUILD_FOLDER]   default build/
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -f "$build/compile_commands.json" ] ||
  { echo "tidy: no $build/compile_commands.json; build first" >&2; exit 1; }
mapfile -t files < <(git ls-files 'src/*.cpp' 'tools/*.cpp' | sed "s|^|$PWD/|")
run-clang-tidy -quiet -p "$build" -j "$(nproc)" "${files[@]}" >"$build/tidy.log" 2>&1 || {
  grep -E 'warning:|error:' "$build/tidy.log" | sort -u >&2
  echo "tidy: findings above (whole log: $build/tidy.log)" >&2
  exit 1
}
echo "tidy: ${#files[@]} files clean"
