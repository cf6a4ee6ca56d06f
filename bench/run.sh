#!/usr/bin/env bash
# Measures the program's cost, every figure from this one run:
#   compose_vs_copy_ratio       one saturated 1920 x 1080 2D frame / one plain frame copy
#   <show>_cpu_ms_per_frame     the running show under Xvfb at 1920 x 1080, process CPU per frame
#   <show>_cpu_vs_copy_ratio    the same / one plain frame copy measured in this run
#   <show>_startup_ms           process start to first presented frame
#   <show>_peak_rss_mb          peak resident memory
# for the 2D show with default and saturated settings and the 3D show (kind 200).
# Needs the packages of scripts/setup.sh; builds into build-bench (Release).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"
BUILD_DIR="$root/build-bench" CMAKE_ARGS="-DCMAKE_BUILD_TYPE=Release -DKESTROVA_TESTS=OFF" "$root/scripts/build.sh" >/dev/null
bin="$root/build-bench/bin"

# The benchmark's console colours are taken out so its lines can be read.
compose=$("$bin/compose_bench" --benchmark_min_time=2 2>/dev/null | sed 's/\x1b\[[0-9;]*m//g')
echo "$compose" | grep -E '^compose_vs_copy_ratio:'
copy_ms=$(echo "$compose" | grep -E '^copy_frame_ms:' | awk '{print $2}')
[[ -n $copy_ms ]] && echo "copy_frame_ms: $copy_ms"

measure() {
  local name=$1
  shift
  local out
  out=$("$root/bench/show/measure-show.sh" "$bin/kestrova-saver" "$name" "$@")
  echo "$out"
  if [[ -n $copy_ms ]]; then
    echo "$out" | awk -v copy="$copy_ms" -v name="$name" \
      '$1 == name "_cpu_ms_per_frame:" { printf "%s_cpu_vs_copy_ratio: %.2f\n", name, $2 / copy }'
  fi
}

measure show 4 14 "background mode=2"
measure show_saturated 4 14 "background mode=2" "number of blue=100" "length of smoke=200" "number of complement=30"
# The puff pool fills after about 500 frames; both runs are past that.
measure show3d 20 35 "background mode=2" "kind of airplane=200"
