#!/usr/bin/env bash
# Measures the program's cost, every figure from this one run:
#   compose_vs_copy_ratio       one saturated 1920 x 1080 2D frame / one plain frame copy
#   <show>_cores, <show>_xserver_cores, <show>_all_in_cores
#                               cores used by the show and by the X server drawing what it
#                               sends, on a private 1920 x 1080 Xvfb, after warm-up
#   wayland_<show>_compositor_cores
#                               the same for the show under Wayland: its cores and those of
#                               a private headless sway (pixman renderer) at 1920 x 1080
#   <show>_cpu_ms_per_frame     the show's CPU per frame
#   <show>_cpu_vs_copy_ratio    the same / one plain frame copy measured in this run
#   <show>_startup_ms           process start to first presented frame
#   <show>_peak_rss_mb          peak resident memory (of the hacks too)
#   <show>_vs_<hack>            all-in cores of the show / those of an XScreenSaver hack
#                               (fireworkx, 2D; flyingtoasters, OpenGL) run the same way
#   wayland_<show>_vs_<show>    all-in cores of the Wayland show / those of the X11 show
# for the 2D show with default and saturated settings and the 3D show (kind 200), on X11
# and under Wayland, and
#   daemon_sigterm_exit_ms      SIGTERM to the end of a daemon's show, its player closed (promised: 500)
#   input_exit_ms               a mouse move to the end of the /s show
#   idle_wait_<side>_cpu_ms, idle_wait_<side>_wakeups
#                               what the idle watcher costs over 30 s of waiting, on X11,
#                               under headless sway and under headless mutter
# Every figure is followed by the machine's load (<name>_load_average): on a busy
# machine the cores figures rise. Needs the packages of scripts/setup.sh and of
# bench/setup.sh; builds into build-bench (Release).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"
"$root/bench/setup.sh"
BUILD_DIR="$root/build-bench" CMAKE_ARGS="-DCMAKE_BUILD_TYPE=Release -DKESTROVA_TESTS=OFF" "$root/scripts/build.sh" >/dev/null
bin="$root/build-bench/bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

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
  echo "$out" | tee "$work/$name"
  if [[ -n $copy_ms ]]; then
    echo "$out" | awk -v copy="$copy_ms" -v name="$name" \
      '$1 == name "_cpu_ms_per_frame:" { printf "%s_cpu_vs_copy_ratio: %.2f\n", name, $2 / copy }'
  fi
}

measure show 4 10 "background mode=2"
measure show_saturated 4 10 "background mode=2" "number of blue=100" "length of smoke=200" "number of complement=30"
# The puff pool fills after about 500 frames; the window starts past that, and is longer
# because the roving camera makes the cost of ten seconds depend on where it looks.
measure show3d 15 30 "background mode=2" "kind of airplane=200"
# The same shows under Wayland.
ALL_IN_SERVER=sway measure wayland_show 4 10 "background mode=2"
ALL_IN_SERVER=sway measure wayland_show_saturated 4 10 "background mode=2" "number of blue=100" \
  "length of smoke=200" "number of complement=30"
ALL_IN_SERVER=sway measure wayland_show3d 15 30 "background mode=2" "kind of airplane=200"

# The hacks draw over the whole screen, as under a daemon.
hacks=/usr/libexec/xscreensaver
"$root/bench/show/all-in.sh" fireworkx 4 10 "$hacks/fireworkx" -root | tee "$work/fireworkx"
"$root/bench/show/all-in.sh" flyingtoasters 4 10 "$hacks/flyingtoasters" -root | tee "$work/flyingtoasters"

allIn() { awk -v n="$1_all_in_cores:" '$1 == n { print $2 }' "$work/$1"; }
ratio() {
  awk -v a="$(allIn "$1")" -v b="$(allIn "$2")" -v n="$1_vs_$2" 'BEGIN { printf "%s: %.2f\n", n, a / b }'
}
for show in show show_saturated show3d wayland_show wayland_show_saturated wayland_show3d; do
  for hack in fireworkx flyingtoasters; do
    ratio "$show" "$hack"
  done
done
for show in show show_saturated show3d; do
  ratio "wayland_$show" "$show"
done

"$root/bench/exit/measure-exit.sh" "$bin/kestrova-saver"
"$root/bench/idle/measure-idle.sh" "$bin/kestrova-saver"
