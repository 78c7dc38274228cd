#!/usr/bin/env bash
# Renders the screens from the real widgets on the sample data (offscreen platform) into
# docs/images/. Rerun it after a change to a screen so that the README's pictures stay
# true.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${BUILD_DIR:-build-screenshots}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DBUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target pkg-screenshots
QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 "$build/bin/pkg-screenshots" docs/images
