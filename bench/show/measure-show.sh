#!/usr/bin/env bash
# Runs the real show on a private 1920 x 1080 X server and prints its cost per frame.
# usage: measure-show.sh BINARY NAME SECONDS_SHORT SECONDS_LONG [KEY=VALUE ...]
# The settings KEY=VALUE go into a private settings file. Two runs of different length
# are compared, so start-up work does not count in the per-frame figure.
set -euo pipefail
binary=$1 name=$2 short=$3 long=$4
shift 4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config/KestrovaSaver" "$work/runtime" "$work/cache"
chmod 700 "$work/runtime"
{
  echo "[Option]"
  for setting in "$@"; do
    key=${setting%%=*}
    echo "${key// /%20}=${setting#*=}"
  done
} >"$work/config/KestrovaSaver/KestrovaSaver.ini"

run() {
  local seconds=$1 log=$2
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -noreset -nolisten tcp 3>"$work/display" 2>/dev/null &
  local xvfb=$!
  for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
  DISPLAY=":$(cat "$work/display")" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
    XDG_CACHE_HOME="$work/cache" KESTROVA_STATS=1 "$binary" /s 2>"$log" &
  local saver=$!
  sleep "$seconds"
  kill -TERM "$saver"
  wait "$saver" || true
  kill "$xvfb"
  wait "$xvfb" 2>/dev/null || true
  : >"$work/display"
}

run "$short" "$work/short.log"
run "$long" "$work/long.log"
field() { grep -o "$2=[0-9.]*" "$1" | head -n1 | cut -d= -f2; }
awk -v f1="$(field "$work/short.log" frames)" -v c1="$(field "$work/short.log" cpu)" \
    -v f2="$(field "$work/long.log" frames)" -v c2="$(field "$work/long.log" cpu)" \
    -v w2="$(field "$work/long.log" seconds)" -v name="$name" \
    -v startup="$(field "$work/short.log" startup_ms)" -v rss="$(field "$work/long.log" peak_rss_mb)" \
  'BEGIN {
     printf "%s_cpu_ms_per_frame: %.2f\n", name, (c2 - c1) * 1000 / (f2 - f1);
     printf "%s_frames_per_second: %.1f\n", name, f2 / w2;
     if (startup != "") printf "%s_startup_ms: %.0f\n", name, startup;
     if (rss != "") printf "%s_peak_rss_mb: %.1f\n", name, rss;
   }'
