#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Does nothing when they are all present.
#   scripts/install-deps.sh             the Linux build and its tests
#   scripts/install-deps.sh --windows   the Windows cross-build, Wine and the
#                                       private test desktop
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins libqt6svg6 libgl-dev libxcb1-dev libxcb-shape0-dev
  # The toy's own Wayland surface: the client library, wayland-scanner and
  # the protocol descriptions it reads.
  libwayland-dev libwayland-bin wayland-protocols
  libgtest-dev libbenchmark-dev
  # The lint checks and the second compiler.
  clang clang-format clang-tidy
  xvfb xauth openbox xdotool x11-utils x11-xserver-utils imagemagick
  libpulse-dev pulseaudio pulseaudio-utils sox
  # The end-to-end tests read the pointer's cursor image.
  libxcb-xfixes0-dev
  # The install and package tests.
  desktop-file-utils appstream dpkg-dev file
  # The benchmarks: the plain Xlib floor window, the request trace, pgrep.
  libx11-dev libxext-dev xtrace procps
  # The desktop checks and scripts/desktop-matrix.sh: Wayland desktops with
  # Xwayland, and the other window managers of the matrix.
  mutter kwin-wayland kwin-x11 xwayland xfwm4 sway grim dbus
  # sway's input: its virtual pointer (built), keys, its window tree.
  wtype jq
)
if [ "${1:-}" = "--windows" ]; then
  packages=(
    cmake ninja-build g++-mingw-w64-x86-64-posix
    # The host's Qt tools (moc, rcc) and GoogleTest's sources.
    qt6-base-dev qt6-base-dev-tools googletest
    wine wine64
    xvfb xauth openbox xdotool x11-utils pulseaudio pulseaudio-utils
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

line="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  sudo=(sudo)
elif command -v sudo >/dev/null 2>&1 && [ -t 0 ]; then
  sudo=(sudo)
else
  echo "zorrel: missing packages; as root run: apt-get update && $line" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
