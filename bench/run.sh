#!/usr/bin/env bash
# Every benchmark of the program, each printed as a ratio against a reference
# run in the same command (medians of several runs).
# usage: bench/run.sh [BUILD_DIR] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-7}
"$root/scripts/setup.sh" "$build"
"$root/scripts/build.sh" "$build" >/dev/null
"$root/scripts/make-samples.sh" "$build"
echo "== start-up"
"$root/bench/startup.sh" "$build" "$runs"
echo "== entering a folder of 10,000 pictures"
"$root/bench/browse.sh" "$build"
echo "== previewing a 6000 x 4000 JPEG"
"$root/bench/preview.sh" "$build" "$runs"
