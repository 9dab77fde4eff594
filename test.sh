#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, the
# end-to-end ones on a private display and sound server.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
scripts/with-test-desktop.sh ctest --test-dir build --output-on-failure "$@"
