#!/usr/bin/env bash
# Configures and builds the Winelib program, the tests and the native codec build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/winelib.cmake" >/dev/null
cmake --build "$build" -j"$(nproc)"
