#!/usr/bin/env bash
# The resources of the Windows build, read from the files' PE resource
# tables with wrestool: zorrel.exe holds the icon at every size Windows
# picks from, the version resource with the project's version, and the
# manifest (per-monitor-v2 DPI awareness, the supported Windows versions);
# zorrel-sound.dll holds its own version resource.
#   tests/windows/resources-test.sh BUILD-FOLDER
set -euo pipefail
build=$1
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "resources-test: no project version in $build" >&2; exit 1; }
work=$(mktemp -d /tmp/zorrel-resources.XXXXXX)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "resources-test: FAILED: $*" >&2
  exit 1
}
step() { printf 'resources-test: %-55s ok\n' "$*"; }

# A version resource's strings, one "Name=value" a line.
versionStrings() {
  wrestool -x --raw -t 16 "$1" | iconv -f UTF-16LE -t UTF-8 | tr -c '[:print:]' '\n' |
    grep -v '^.\?$' | awk 'prev != "" {print prev "=" $0; prev = ""; next}
      /^(CompanyName|FileDescription|FileVersion|InternalName|LegalCopyright|OriginalFilename|ProductName|ProductVersion)$/ {prev = $0}'
}
checkVersion() {
  local file=$1 strings
  strings=$(versionStrings "$file")
  for expected in "FileVersion=$version" "ProductVersion=$version" "ProductName=Zorrel" \
    "OriginalFilename=$(basename "$file")"; do
    grep -qxF "$expected" <<<"$strings" || fail "$(basename "$file") has no $expected in:
$strings"
  done
  for name in CompanyName FileDescription LegalCopyright; do
    grep -q "^$name=." <<<"$strings" || fail "$(basename "$file") has no $name"
  done
  step "$(basename "$file"): version $version, $(grep ^FileDescription= <<<"$strings")"
}

exe=$build/zorrel.exe
wrestool -x -t 14 "$exe" >"$work/icon.ico" || fail "zorrel.exe has no icon group"
sizes=$(icotool -l "$work/icon.ico" | sed -n 's/.*--width=\([0-9]*\) --height=\1 .*/\1/p' | sort -n | xargs)
[ "$sizes" = "16 24 32 48 64 256" ] || fail "zorrel.exe's icon has the sizes '$sizes'"
step "zorrel.exe: icon at $sizes px"

checkVersion "$exe"
checkVersion "$build/zorrel-sound.dll"

# The manifest, without its comments.
manifest=$(wrestool -x --raw -t 24 -n 1 "$exe" | sed 's/<!--.*-->//; /<!--/,/-->/d')
grep -q '<dpiAwareness[^>]*>PerMonitorV2</dpiAwareness>' <<<"$manifest" ||
  fail "the manifest declares no per-monitor-v2 DPI awareness"
grep -q '<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>' <<<"$manifest" ||
  fail "the manifest names no supported Windows version"
step "zorrel.exe: manifest, per-monitor-v2 and Windows 10/11"
