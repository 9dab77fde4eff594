#!/usr/bin/env bash
# The Windows build, made and tested here: unpacks Qt for MinGW into the
# build folder, cross-builds into build-windows/, runs the unit tests under
# Wine on the private test desktop, checks the program's resources, zips the
# folder that runs on its own and makes the installer from it, smoke-tests
# the zip in a fresh Wine prefix (at 100, 150 and 200 %) and installs and
# uninstalls with the installer in another. Prints the time of each stage.
#
# Qt for MinGW comes from $ZORREL_QT_MINGW: either a Qt installed for MinGW
# (a folder with lib/cmake/Qt6/qt.toolchain.cmake) or a folder holding a
# qt6-mingw-*.tar.gz to unpack; by default the shared/toolchains folder
# beside the repository.
#   scripts/test-windows.sh [ctest options]
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
dir=build-windows
qt_source=${ZORREL_QT_MINGW:-$(dirname "$repo")/shared/toolchains}

export WINEPREFIX="$repo/$dir/wine-prefix" WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true' EXIT

started=$(date +%s)
stage_started=$started
stage() {
  local now
  now=$(date +%s)
  printf 'test-windows: %-38s %4d s\n' "$1" $((now - stage_started))
  stage_started=$now
}

mkdir -p "$dir"
if [ -f "$qt_source/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
  qt=$qt_source
else
  if [ -z "${ZORREL_QT_MINGW:-}" ] && [ ! -d "$qt_source" ]; then
    echo "test-windows: no Qt for MinGW: $qt_source is missing and ZORREL_QT_MINGW is not set" >&2
    exit 1
  fi
  tarball=$(find "$qt_source" -maxdepth 1 -name 'qt6-mingw-*.tar.gz' 2>/dev/null | sort | tail -n 1 || true)
  if [ -z "$tarball" ]; then
    echo "test-windows: no Qt for MinGW in $qt_source; set ZORREL_QT_MINGW to a Qt for MinGW" \
      "or to the folder of qt6-mingw-*.tar.gz" >&2
    exit 1
  fi
  qt="$repo/$dir/qt6-mingw"
  # Unpacked again only when the tarball is another one.
  if [ "$(cat "$dir/qt6-mingw.unpacked" 2>/dev/null)" != "$tarball" ]; then
    rm -rf "$qt" "$dir/qt6-mingw.unpacked"
    tar xzf "$tarball" -C "$dir"
    echo "$tarball" >"$dir/qt6-mingw.unpacked"
  fi
fi
stage "Qt for MinGW ready"

# The build runs its generators under Wine: the prefix and a server kept
# running come first, or the first program to open a window can hang.
mkdir -p "$WINEPREFIX"
wineserver -p
wine cmd /c exit 2>/dev/null
stage "Wine prefix ready"

# -O2, as the Linux build: MinGW's GCC 12 warns falsely about the standard
# library's string copies at -O3.
cmake -S . -B "$dir/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DZORREL_BUILD_BENCH=OFF -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" >/dev/null
cmake --build "$dir/build" -j"$(nproc)"
stage "cross-build"

status=0
scripts/with-test-desktop.sh ctest --test-dir "$dir/build" --output-on-failure -j"$(nproc)" "$@" ||
  status=$?
stage "unit tests under Wine"

tests/windows/resources-test.sh "$dir/build" || status=$?
stage "resources of the exe and the DLL"

(cd "$dir/build" && cpack -G ZIP >/dev/null)
zip=$(ls "$dir"/build/zorrel-*-windows-x64.zip)
stage "zip ($(du -k "$zip" | cut -f1) KiB)"

cmake --build "$dir/build" --target setup >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/build/CMakeCache.txt")
setup=$dir/build/zorrel-$version-setup.exe
stage "setup.exe ($(du -k "$setup" | cut -f1) KiB)"

scripts/with-test-desktop.sh tests/windows/smoke-test.sh "$zip" || status=$?
stage "smoke test of the zip, 100 to 200 %"

scripts/with-test-desktop.sh tests/windows/installer-test.sh "$setup" "$version" || status=$?
stage "install and uninstall under Wine"

printf 'test-windows: %-38s %4d s\n' "total" $(($(date +%s) - started))
exit "$status"
