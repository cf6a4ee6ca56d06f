#!/usr/bin/env bash
# Installs what is missing, builds Kestrova Saver with its tests and runs the whole suite.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

export XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
source "$root/scripts/xvfb.sh"
if [[ -z ${DISPLAY:-} ]] || ! xdpyinfo >/dev/null 2>&1; then
  start_private_xvfb 1920x1080x24
fi

cd "$root/build"
ctest --output-on-failure --timeout 300 -j2
