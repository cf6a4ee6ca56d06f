#!/usr/bin/env bash
# Cross-builds kestrova-saver.scr, its unit tests, its installer and zip for 64-bit Windows into
# ./build-windows (or $BUILD_DIR) with Debian's MinGW-w64.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build-windows}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/windows-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release ${CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"
