#!/usr/bin/env bash
# Measures what the idle watcher costs while it waits, over 30 seconds after start-up,
# on a private Xvfb (the screen-saver extension), under headless sway (the KDE idle
# protocol) and under headless mutter on a bus of its own (GNOME's IdleMonitor), with an
# idle time of ten minutes so that nothing starts:
#   idle_wait_<side>_cpu_ms     processor time of the watcher, all its threads
#   idle_wait_<side>_wakeups    times its threads went to sleep and were woken
# each followed by the machine's one-minute load (<name>_load_average).
# usage: measure-idle.sh BINARY
set -euo pipefail
binary=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
xvfb=
watcher=
mutter=
bus=
cleanup() {
  local pid
  for pid in "$watcher" "$mutter" "$bus" "$xvfb"; do
    [[ -n $pid ]] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/runtime"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
unset DBUS_SESSION_BUS_ADDRESS

# Clock ticks of user and system time of every thread, and voluntary switches.
cpu_ticks() { awk '{ sub(/.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"; }
wakeups() { cat /proc/"$1"/task/*/status | awk '$1 == "voluntary_ctxt_switches:" { n += $2 } END { print n }'; }

measure() {
  local name=$1
  shift
  env "$@" "$binary" --idle 10 2>/dev/null &
  watcher=$!
  sleep 2
  local ticks0 wake0
  ticks0=$(cpu_ticks "$watcher")
  wake0=$(wakeups "$watcher")
  sleep 30
  echo "idle_wait_${name}_cpu_ms: $((($(cpu_ticks "$watcher") - ticks0) * 1000 / $(getconf CLK_TCK)))"
  echo "idle_wait_${name}_wakeups: $(($(wakeups "$watcher") - wake0))"
  echo "idle_wait_${name}_load_average: $(cut -d' ' -f1 /proc/loadavg)"
  kill "$watcher"
  wait "$watcher" 2>/dev/null || true
  watcher=
}

Xvfb -displayfd 3 -screen 0 1280x800x24 -noreset -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 200); do [[ -s $work/display ]] && break; sleep 0.05; done
measure x11 DISPLAY=":$(cat "$work/display")" WAYLAND_DISPLAY=

source "$root/scripts/sway.sh"
start_private_sway 1280x800
measure sway WAYLAND_DISPLAY="$SWAY_WAYLAND_DISPLAY" DISPLAY=
stop_private_sway

address="unix:path=$work/runtime/bus"
dbus-daemon --session --nofork --nopidfile --address="$address" 2>/dev/null &
bus=$!
for _ in $(seq 200); do [[ -S $work/runtime/bus ]] && break; sleep 0.05; done
DBUS_SESSION_BUS_ADDRESS=$address mutter --wayland --headless --no-x11 --virtual-monitor 1280x800 >/dev/null 2>&1 &
mutter=$!
for _ in $(seq 600); do
  DBUS_SESSION_BUS_ADDRESS=$address dbus-send --session --print-reply --dest=org.gnome.Mutter.IdleMonitor \
    /org/gnome/Mutter/IdleMonitor/Core org.gnome.Mutter.IdleMonitor.GetIdletime >/dev/null 2>&1 && break
  sleep 0.1
done
measure gnome DBUS_SESSION_BUS_ADDRESS="$address" DISPLAY=
