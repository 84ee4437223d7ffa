#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang in build-fuzz/ and runs each for a
# bounded time, RYBOWID_FUZZ_SECONDS (30 by default), starting from its committed seed
# corpus. New inputs go to build-fuzz/corpus/, so the committed seeds stay small. A crash,
# a hang (10 s on one input) or a sanitizer report fails the run; libFuzzer leaves the
# input that caused it in build-fuzz/.
#   RYBOWID_FUZZ_SECONDS=3600 bash scripts/fuzz.sh FuzzJpeg    # one target, longer
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-fuzz"
seconds="${RYBOWID_FUZZ_SECONDS:-30}"

CC=clang CXX=clang++ cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None >/dev/null
cmake --build "$build" -j "$(nproc)"

targets=("$@")
((${#targets[@]})) || targets=(FuzzDeclaredType FuzzExif FuzzFieldText FuzzJpeg FuzzRowRoundTrip)
for target in "${targets[@]}"; do
  mkdir -p "$build/corpus/$target"
  log="$build/$target.log"
  echo "Fuzzing $target for ${seconds} s"
  if ! (cd "$build" && "./$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 \
        -print_final_stats=1 "corpus/$target" "$root/fuzz/corpus/$target" >"$log" 2>&1); then
    tail -n 60 "$log"
    echo "$target failed (log: $log)"
    exit 1
  fi
  grep -E "^stat::number_of_executed_units|^Done" "$log" || tail -n 2 "$log"
done
