#!/usr/bin/env bash
# Builds the Windows program (scripts/build-windows.sh) and runs its tests under Wine,
# in a private Wine prefix kept in the build folder, on the caller's X display or a
# private Xvfb.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build-windows}
BUILD_DIR=$build "$root/scripts/build-windows.sh"

if [[ -z ${DISPLAY:-} ]]; then
  source "$root/scripts/xvfb.sh"
  start_private_xvfb 1024x768x24
fi
export WINEPREFIX="$build/wine-prefix"
export WINEDEBUG=-all
# No Mono or Gecko: their installers would ask on screen, and nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="
finish() {
  wineserver -k 2>/dev/null || true
  if [[ -n ${XVFB_PID:-} ]]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}
trap finish EXIT
# A server an interrupted run left in this prefix would keep the wait below from ever ending.
wineserver -k 2>/dev/null || true
# Wine's background services must not hold this script's output open, so nothing
# Wine starts here writes to it.
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  echo "Making the Wine prefix $WINEPREFIX"
  wineboot --init </dev/null >/dev/null 2>&1
fi
# A Wine program started while the server still sets the prefix up may see it half made.
wineserver -w
# One server for all the test programs, kept until the end (finish above ends it). A server
# that may end after a minute without clients can be on its way out just as the next test's
# program connects, and that program then fails as it starts, before it prints anything.
wineserver -p </dev/null >/dev/null 2>&1
cd "$build"
ctest --output-on-failure --timeout 300
