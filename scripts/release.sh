#!/usr/bin/env bash
# Makes the release from the current commit: sets the machine up, builds
# lumeno.exe and packs BUILD_DIR/windows/release/lumeno-<version>-win64.zip,
# printing its SHA-256 (also written beside it).
# usage: scripts/release.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
  echo "release.sh: the working tree has changes; a release is built from a commit" >&2
  exit 1
fi
"$root/scripts/setup.sh" "$build"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/winelib.cmake" >/dev/null
cmake --build "$build" --target windows >/dev/null
cmake --build "$build/windows" --target release
