#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, the
# end-to-end ones on a private display and sound server.
#   ./test.sh [ctest options]              normal build in build/
#   ./test.sh --sanitize [ctest options]   AddressSanitizer, LeakSanitizer and
#                                          UBSan build in build-sanitize/
#   ./test.sh --windows [ctest options]    Windows cross-build in build-windows/,
#                                          tested under Wine
#   ./test.sh --clang [ctest options]      clang build in build-clang/, unit tests
#   ./test.sh --lint                       clang-format and clang-tidy checks
#                                          (clang-tidy reads build/)
#   ./test.sh --fuzz [seconds]             libFuzzer build in build-fuzz/, each
#                                          parser fuzzed for the time (60 s)
# Every build treats compiler warnings as errors.
set -euo pipefail
cd "$(dirname "$0")"
case "${1:-}" in
--windows)
  shift
  scripts/install-deps.sh windows
  exec scripts/test-windows.sh "$@"
  ;;
--lint)
  scripts/install-deps.sh test
  scripts/check-format.sh
  # clang-tidy needs the build's compile commands and generated headers.
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORREL_WERROR=ON >/dev/null
  cmake --build build -j"$(nproc)" >/dev/null
  exec scripts/tidy.sh build
  ;;
--clang)
  shift
  scripts/install-deps.sh test
  CC=clang CXX=clang++ cmake -S . -B build-clang -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZORREL_WERROR=ON -DZORREL_BUILD_BENCH=OFF >/dev/null
  cmake --build build-clang -j"$(nproc)"
  exec scripts/with-test-desktop.sh ctest --test-dir build-clang --output-on-failure \
    -LE 'e2e|package|desktops' "$@"
  ;;
--fuzz)
  seconds=${2:-60}
  scripts/install-deps.sh
  flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZORREL_WERROR=ON -DZORREL_BUILD_BENCH=OFF -DZORREL_FUZZ=ON -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
  cmake --build build-fuzz -j"$(nproc)" --target settings_fuzz wave_fuzz command_line_fuzz
  exec scripts/fuzz.sh build-fuzz "$seconds"
  ;;
--sanitize) ;;
*)
  scripts/install-deps.sh test
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORREL_WERROR=ON >/dev/null
  cmake --build build -j"$(nproc)"
  exec scripts/with-test-desktop.sh ctest --test-dir build --output-on-failure "$@"
  ;;
esac
scripts/install-deps.sh test
shift

dir=build-sanitize
flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
# The benchmarks would only measure the sanitizers.
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DZORREL_BUILD_BENCH=OFF -DZORREL_WERROR=ON \
  -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_MODULE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$dir" -j"$(nproc)"

# Reports go to files as well as to failing tests, so that a finding in the
# toy started by an end-to-end test, whose exit status no test sees, still
# fails the run.
logs="$PWD/$dir/sanitizer-logs"
rm -rf "$logs"
mkdir -p "$logs"
export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1:log_path=$logs/asan"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$logs/ubsan"
status=0
# A sanitizer build is never packaged (its objects name their build folder),
# so the package tests are left to the normal run, and so are the desktop
# checks of the X11 surface; those of the toy's own Wayland surface (sway)
# stay, for its code reads what the compositor sends.
scripts/with-test-desktop.sh ctest --test-dir "$dir" --output-on-failure -LE package \
  -E '^desktops\.(kwin_wayland|mutter-wayland)$' "$@" ||
  status=$?

if compgen -G "$logs/*" >/dev/null; then
  for f in "$logs"/*; do
    echo "=== $f"
    cat "$f"
  done
  echo "test.sh: sanitizer reports above" >&2
  status=1
fi
exit "$status"
