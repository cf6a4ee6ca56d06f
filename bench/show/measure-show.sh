#!/usr/bin/env bash
# Runs the real show (/s) on a private 1920 x 1080 display server and prints its cost: the
# all-in figures of all-in.sh (peak memory among them) over WINDOW seconds after WARMUP
# seconds, and from the show's own statistics its frame rate, CPU per frame and start-up time.
# usage: [ALL_IN_SERVER=xvfb|sway] measure-show.sh BINARY NAME WARMUP WINDOW [KEY=VALUE ...]
# The settings KEY=VALUE go into a private settings file.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
binary=$1 name=$2 warmup=$3 window=$4
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

allIn=$(ALL_IN_LOG="$work/log" "$here/all-in.sh" "$name" "$warmup" "$window" \
  env XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" XDG_CACHE_HOME="$work/cache" \
  KESTROVA_STATS=1 "$binary" /s)
echo "$allIn"
field() { grep -o "$1=[0-9.]*" "$work/log" | head -n1 | cut -d= -f2; }
awk -v frames="$(field frames)" -v seconds="$(field seconds)" -v startup="$(field startup_ms)" \
    -v name="$name" \
    -v cores="$(echo "$allIn" | awk -v n="${name}_cores:" '$1 == n { print $2 }')" \
  'BEGIN {
     fps = frames / seconds;
     printf "%s_frames_per_second: %.1f\n", name, fps;
     printf "%s_cpu_ms_per_frame: %.2f\n", name, cores * 1000 / fps;
     if (startup != "") printf "%s_startup_ms: %.0f\n", name, startup;
   }'
