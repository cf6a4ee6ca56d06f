#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time (default 60 s).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DKESTROVA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"
for target in fuzz-command-line fuzz-settings; do
  corpus="$build/corpus-$target"
  mkdir -p "$corpus"
  echo "Fuzzing $target for $seconds s"
  "$build/bin/$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$corpus" 2>&1 |
    grep -E 'stat::number_of_executed_units|ERROR|SUMMARY|Done' || true
  # libFuzzer exits non-zero on a crash; PIPESTATUS keeps that.
  [[ ${PIPESTATUS[0]} -eq 0 ]] || { echo "$target found a failing input (see above)"; exit 1; }
done
