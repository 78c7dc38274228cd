#!/usr/bin/env bash
# Installs what is missing, builds the host application and the module (no tests, no
# benchmarks), and starts the host on the embedded SQLite database (created with sample
# data on first run). Extra arguments go to the host application (see --help).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DBUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
exec "$build/bin/pkg-host" "$@"
