#!/usr/bin/env bash
# Runs one program on a private 1920 x 1080 display server and prints what it costs all in:
#   NAME_cores             cores the program used (all its threads)
#   NAME_xserver_cores     cores the X server used drawing what the program sent, or
#   NAME_compositor_cores  with ALL_IN_SERVER=sway, those of a headless sway (pixman
#                          renderer) showing the program's surface
#   NAME_all_in_cores      the program and the server together
#   NAME_peak_rss_mb       the program's peak resident memory when the window ended
#   NAME_load_average      the machine's one-minute load when the window ended
# over WINDOW seconds after WARMUP seconds of running.
# usage: [ALL_IN_SERVER=xvfb|sway] all-in.sh NAME WARMUP WINDOW COMMAND [ARG ...]
# The command runs with DISPLAY (Xvfb) or WAYLAND_DISPLAY (sway) set and the other
# unset; its standard error goes to $ALL_IN_LOG when set.
set -euo pipefail
name=$1 warmup=$2 window=$3
shift 3
work=$(mktemp -d)
# The server goes too when the program fails to start or dies early.
stopServer() { :; }
trap 'stopServer; rm -rf "$work"' EXIT

case ${ALL_IN_SERVER:-xvfb} in
  xvfb)
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -noreset -nolisten tcp 3>"$work/display" 2>/dev/null &
    server=$!
    stopServer() { kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; }
    for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
    env -u WAYLAND_DISPLAY DISPLAY=":$(cat "$work/display")" "$@" 2>"${ALL_IN_LOG:-/dev/null}" &
    serverName=xserver
    ;;
  sway)
    source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/sway.sh"
    # Its helpers would keep the caller's $(...) waiting; they go with it.
    start_private_sway 1920x1080 >/dev/null
    server=${SWAY_PIDS[0]}
    stopServer() { stop_private_sway; }
    env -u DISPLAY WAYLAND_DISPLAY="$SWAY_WAYLAND_DISPLAY" "$@" 2>"${ALL_IN_LOG:-/dev/null}" &
    serverName=compositor
    ;;
  *)
    echo "all-in.sh: ALL_IN_SERVER is xvfb or sway, not $ALL_IN_SERVER" >&2
    exit 2
    ;;
esac
program=$!

# User and system time of a process and all its threads, in clock ticks.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

sleep "$warmup"
p0=$(ticks "$program") x0=$(ticks "$server") t0=$(date +%s.%N)
sleep "$window"
p1=$(ticks "$program") x1=$(ticks "$server") t1=$(date +%s.%N)
load=$(cut -d' ' -f1 /proc/loadavg)
peakKb=$(awk '$1 == "VmHWM:" { print $2 }' "/proc/$program/status")

kill -TERM "$program"
wait "$program" || true

awk -v hz="$(getconf CLK_TCK)" -v p="$((p1 - p0))" -v x="$((x1 - x0))" -v t0="$t0" -v t1="$t1" \
    -v name="$name" -v server="$serverName" -v peak="$peakKb" -v load="$load" \
  'BEGIN {
     s = (t1 - t0) * hz;
     printf "%s_cores: %.3f\n", name, p / s;
     printf "%s_%s_cores: %.3f\n", name, server, x / s;
     printf "%s_all_in_cores: %.3f\n", name, (p + x) / s;
     printf "%s_peak_rss_mb: %.1f\n", name, peak / 1024;
     printf "%s_load_average: %.2f\n", name, load;
   }'
