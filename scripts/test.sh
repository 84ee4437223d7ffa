#!/usr/bin/env bash
# Installs what is missing, builds everything (program, tests, benchmarks) and runs the
# whole test suite headless.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRYBOWID_TESTS=ON -DRYBOWID_BENCH=ON
cmake --build "$root/build" -j "$(nproc)"
cd "$root/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
