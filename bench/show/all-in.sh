#!/usr/bin/env bash
# Runs one program on a private 1920 x 1080 X server and prints what it costs all in:
#   NAME_cores          cores the program used (all its threads)
#   NAME_xserver_cores  cores the X server used drawing what the program sent
#   NAME_all_in_cores   the two together
#   NAME_load_average   the machine's one-minute load when the window ended
# over WINDOW seconds after WARMUP seconds of running.
# usage: all-in.sh NAME WARMUP WINDOW COMMAND [ARG ...]
# The command runs with DISPLAY set; its standard error goes to $ALL_IN_LOG when set.
set -euo pipefail
name=$1 warmup=$2 window=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

Xvfb -displayfd 3 -screen 0 1920x1080x24 -noreset -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
DISPLAY=":$(cat "$work/display")" "$@" 2>"${ALL_IN_LOG:-/dev/null}" &
program=$!

# User and system time of a process and all its threads, in clock ticks.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

sleep "$warmup"
p0=$(ticks "$program") x0=$(ticks "$xvfb") t0=$(date +%s.%N)
sleep "$window"
p1=$(ticks "$program") x1=$(ticks "$xvfb") t1=$(date +%s.%N)
load=$(cut -d' ' -f1 /proc/loadavg)

kill -TERM "$program"
wait "$program" || true
kill "$xvfb"
wait "$xvfb" 2>/dev/null || true

awk -v hz="$(getconf CLK_TCK)" -v p="$((p1 - p0))" -v x="$((x1 - x0))" -v t0="$t0" -v t1="$t1" \
    -v name="$name" -v load="$load" \
  'BEGIN {
     s = (t1 - t0) * hz;
     printf "%s_cores: %.3f\n", name, p / s;
     printf "%s_xserver_cores: %.3f\n", name, x / s;
     printf "%s_all_in_cores: %.3f\n", name, (p + x) / s;
     printf "%s_load_average: %.2f\n", name, load;
   }'
