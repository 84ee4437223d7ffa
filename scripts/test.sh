#!/usr/bin/env bash
# Installs what is missing, builds everything (program, tests, benchmarks) and runs the
# whole test suite headless; then the sanitizer pass and the fuzzing
# (scripts/test-sanitized.sh), which --quick skips for a quick local run.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRYBOWID_TESTS=ON -DRYBOWID_BENCH=ON
cmake --build "$root/build" -j "$(nproc)"
cd "$root/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
if [ "${1:-}" != "--quick" ]; then
  bash "$root/scripts/test-sanitized.sh"
fi
