#!/usr/bin/env bash
# Builds and runs the browsing benchmark under Wine; prints the ratio.
# usage: bench/browse.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
"$root/scripts/setup.sh" "$build"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/winelib.cmake" >/dev/null
cmake --build "$build" -j2 --target browse_bench >/dev/null
"$root/scripts/wine-run.sh" "$build/browse_bench.exe.so" 2> >(grep -av 'FS volume label' >&2)
