#!/usr/bin/env bash
# Sets the machine up, builds everything and runs the whole test suite.
# usage: scripts/test.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
"$root/scripts/setup.sh" "$build"
"$root/scripts/build.sh" "$build"
"$root/scripts/make-samples.sh" "$build"
cd "$build"
ctest --output-on-failure --timeout 900
