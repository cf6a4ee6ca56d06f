#!/usr/bin/env bash
# Measures how fast the running show ends, the worst of five runs each:
#   daemon_sigterm_exit_ms   SIGTERM to the end of a show started as daemons start it
#                            (-window), its external music player asked to close
#   input_exit_ms            a mouse move to the end of the /s show
# each followed by the machine's one-minute load (<name>_load_average).
# usage: measure-exit.sh BINARY
set -euo pipefail
binary=$1
work=$(mktemp -d)
xvfb=
cleanup() {
  [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/config/KestrovaSaver" "$work/runtime" "$work/cache"
chmod 700 "$work/runtime"
cat >"$work/player.sh" <<'PLAYER'
#!/bin/sh
trap 'echo closed > "$(dirname "$0")/closed"; exit 0' TERM
while :; do sleep 0.05; done
PLAYER
chmod +x "$work/player.sh"
: >"$work/tune.mid"
cat >"$work/config/KestrovaSaver/KestrovaSaver.ini" <<INI
[Option]
background%20mode=2
music%20mode=2
player%20app=$work/player.sh
play%20file=$work/tune.mid
INI

Xvfb -displayfd 3 -screen 0 1280x800x24 -noreset -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 200); do [[ -s $work/display ]] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
  XDG_CACHE_HOME="$work/cache"

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Starts the show and returns once its window has been up for two seconds.
start_show() {
  "$binary" "$@" 2>/dev/null &
  show=$!
  for _ in $(seq 300); do
    xwininfo -name "Kestrova Saver" 2>/dev/null | grep -q IsViewable && break
    sleep 0.1
  done
  sleep 2
}

worst=0
for _ in 1 2 3 4 5; do
  rm -f "$work/closed"
  start_show -window
  begin=$(now_ms)
  kill -TERM "$show"
  wait "$show" || true
  for _ in $(seq 2000); do [[ -e $work/closed ]] && break; sleep 0.005; done
  took=$(($(now_ms) - begin))
  ((took > worst)) && worst=$took
done
echo "daemon_sigterm_exit_ms: $worst"
echo "daemon_sigterm_exit_load_average: $(cut -d' ' -f1 /proc/loadavg)"

worst=0
for _ in 1 2 3 4 5; do
  start_show /s
  begin=$(now_ms)
  xdotool mousemove_relative 1 0
  wait "$show" || true
  took=$(($(now_ms) - begin))
  ((took > worst)) && worst=$took
done
echo "input_exit_ms: $worst"
echo "input_exit_load_average: $(cut -d' ' -f1 /proc/loadavg)"
