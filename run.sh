#!/usr/bin/env bash
# Builds Kestrova Saver and runs it with the given switch (default /s: the show).
# With no display it runs the show on a private X server for ten seconds and saves a screenshot.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$root/scripts/setup.sh"
CMAKE_ARGS="-DKESTROVA_TESTS=OFF -DKESTROVA_BENCH=OFF" BUILD_DIR="$root/build-run" "$root/scripts/build.sh"
binary="$root/build-run/bin/kestrova-saver"
[[ $# -eq 0 ]] && set -- /s

if [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
  exec "$binary" "$@"
fi

source "$root/scripts/xvfb.sh"
start_private_xvfb 1920x1080x24
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
xsetroot -solid '#3a6ea5'
echo "No display: running '$*' on a private X server ($DISPLAY) for ten seconds."
"$binary" "$@" &
pid=$!
sleep 10
shot="$root/build-run/screenshot.png"
import -window root "$shot"
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
echo "Screenshot: $shot"
