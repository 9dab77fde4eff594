#!/usr/bin/env bash
# Installs what is missing, builds, and starts the toy.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target zorrel -j"$(nproc)"
exec build/zorrel "$@"
