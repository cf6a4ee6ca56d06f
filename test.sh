#!/usr/bin/env bash
# Installs what is missing, builds Kestrova Saver and runs the whole test suite: fuzzing
# for a bounded time, the suite under AddressSanitizer and UndefinedBehaviorSanitizer,
# the suite on the normal build, then the core's unit tests built for Windows and run
# under Wine. `./test.sh --quick` runs only the last two steps.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
quick=0
[[ ${1:-} == --quick ]] && quick=1

"$root/scripts/setup.sh"

# The tests run in a session with a message bus, as a desktop session has one. Without it,
# Qt's D-Bus thread forks a child to start one, and under AddressSanitizer that child can
# hang for ever on a lock another thread held at the fork, and so hang its show.
if [[ -z ${DBUS_SESSION_BUS_ADDRESS:-} ]]; then
  exec dbus-run-session -- bash "$root/test.sh" "$@"
fi

export XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
source "$root/scripts/xvfb.sh"
if [[ -z ${DISPLAY:-} ]] || ! xdpyinfo >/dev/null 2>&1; then
  start_private_xvfb 1920x1080x24
fi

if ((!quick)); then
  "$root/scripts/fuzz.sh" 60

  echo "Building and testing under AddressSanitizer and UndefinedBehaviorSanitizer"
  BUILD_DIR="$root/build-asan" CMAKE_ARGS="-DKESTROVA_SANITIZE=ON -DKESTROVA_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo" \
    "$root/scripts/build.sh"
  # Leak reports from the system libraries the GUI loads are not ours to fix.
  (cd "$root/build-asan" &&
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      ctest --output-on-failure --timeout 600 -j2)
fi

"$root/scripts/build.sh"
(cd "$root/build" && ctest --output-on-failure --timeout 300 -j2)

echo "Building the core for Windows and running its tests under Wine"
"$root/scripts/test-windows.sh"
