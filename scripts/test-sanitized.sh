#!/usr/bin/env bash
# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/: any sanitizer report ends its test with a failure. Then the fuzz targets
# (scripts/fuzz.sh). Tests labelled no-asan cannot run under the sanitizers (see the
# label's reason beside it) and are left out here; the normal pass runs them.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-asan"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_C_FLAGS="-O1 -g1" -DCMAKE_CXX_FLAGS="-O1 -g1" \
  -DRYBOWID_ASAN=ON -DRYBOWID_BENCH=OFF -DRYBOWID_TESTS=ON
cmake --build "$build" -j "$(nproc)"

# Leaks are not checked: Qt, fontconfig and the GL stack keep memory until exit, and a
# leak report from them would say nothing about this program.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=0:print_stacktrace=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" -LE "no-asan|webengine")
# The web engine's own teardown frees an object with a delete of another size inside
# libQt6WebEngineCore; that one check is off for the tests that start the engine, every
# other one stays.
(cd "$build" && ASAN_OPTIONS="$ASAN_OPTIONS:new_delete_type_mismatch=0" QT_QPA_PLATFORM=offscreen \
  ctest --output-on-failure -j "$(nproc)" -L webengine)

bash "$root/scripts/fuzz.sh"
