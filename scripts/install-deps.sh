#!/usr/bin/env bash
# Installs the Debian packages that one job needs, and says in one line what
# and why. Does nothing when they are all present.
#   scripts/install-deps.sh run       building and starting the toy (./run.sh)
#   scripts/install-deps.sh test      that, and what the tests, lint checks,
#                                     benchmarks and desktop checks use
#                                     (./test.sh; also with no argument)
#   scripts/install-deps.sh windows   the Windows cross-build, Wine and the
#                                     private test desktop (also --windows)
set -euo pipefail

# Building and running the toy: the compiler, CMake, Qt (with the tools that
# turn translations into the program's catalogues), the X and sound libraries.
run_packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins libqt6svg6 libgl-dev libxcb1-dev libxcb-shape0-dev
  libpulse-dev
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  # The toy's own Wayland surface: the client library, wayland-scanner and
  # the protocol descriptions it reads.
  libwayland-dev libwayland-bin wayland-protocols
)
test_packages=(
  "${run_packages[@]}"
  libgtest-dev libbenchmark-dev
  # The lint checks and the second compiler.
  clang clang-format clang-tidy
  # The private test desktop and sound server.
  xvfb xauth openbox xdotool x11-utils x11-xserver-utils imagemagick
  pulseaudio pulseaudio-utils sox
  # The end-to-end tests read the pointer's cursor image.
  libxcb-xfixes0-dev
  # The translated toy: the system's languages, and glyphs for Japanese.
  locales fonts-noto-cjk
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
windows_packages=(
  cmake ninja-build g++-mingw-w64-x86-64-posix
  # The host's Qt tools (moc, rcc, lrelease) and GoogleTest's sources.
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools googletest
  wine wine64
  # The installer, and the resources test's reader of PE resources.
  nsis icoutils
  xvfb xauth openbox xdotool x11-utils pulseaudio pulseaudio-utils
)
# The languages the end-to-end tests start the toy in.
test_locales=(de_DE.UTF-8 fr_FR.UTF-8 es_ES.UTF-8 ja_JP.UTF-8)

job=${1:-test}
case "$job" in
run)
  packages=("${run_packages[@]}")
  why="to build and start the toy (compiler, CMake, Qt and its translation tools, X and sound libraries)"
  ;;
test)
  packages=("${test_packages[@]}")
  why="to build and run every test (the run set, GoogleTest, Google Benchmark, clang, the private desktop, locales, CJK fonts, the desktops of the matrix)"
  ;;
windows | --windows)
  packages=("${windows_packages[@]}")
  why="to cross-build for Windows and test it under Wine (MinGW-w64, the host's Qt tools, GoogleTest's sources, Wine, NSIS, icoutils, the private desktop)"
  ;;
*)
  echo "usage: scripts/install-deps.sh [run|test|windows]" >&2
  exit 2
  ;;
esac

# apt-get and locale-gen need root: the script is root, or sudo works.
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1 && { sudo -n true 2>/dev/null || [ -t 0 ]; }; then
  sudo=(sudo)
else
  sudo=(missing-root)
fi
as_root() {
  if [ "${sudo[*]}" = missing-root ]; then
    echo "zorrel: not root and no sudo; as root run: scripts/install-deps.sh $job" >&2
    exit 1
  fi
  "${sudo[@]}" "$@"
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]} ${why}"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get -o DPkg::Lock::Timeout=600 update -qq
  as_root apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
fi

# Locales the C library lacks are generated, so that the toy started under
# LANG=ja_JP.UTF-8 runs in a real locale, as on a Japanese desktop.
if [ "${packages[*]}" = "${test_packages[*]}" ]; then
  have=$(locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]')
  absent=()
  for l in "${test_locales[@]}"; do
    short=$(echo "${l%.UTF-8}.utf8" | tr '[:upper:]' '[:lower:]')
    grep -qx "$short" <<<"$have" || absent+=("$l")
  done
  if [ ${#absent[@]} -gt 0 ]; then
    echo "install-deps: generating the locales ${absent[*]} for the tests of the translated toy"
    for l in "${absent[@]}"; do
      as_root sed -i "s/^# *\(${l} UTF-8\)/\1/" /etc/locale.gen
      grep -q "^${l} UTF-8" /etc/locale.gen || echo "${l} UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
    done
    as_root locale-gen >/dev/null
  fi
fi
