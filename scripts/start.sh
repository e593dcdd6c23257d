#!/usr/bin/env bash
# Sets up, builds and starts the program in FOLDER (default: the generated
# sample pictures). With $DISPLAY it runs there; without one it runs inside
# Wine's virtual desktop on a virtual X server, saves a screenshot and ends.
# --windows starts the Windows program (build/windows/lumeno.exe) instead of
# the Winelib one.
# usage: scripts/start.sh [--windows] [FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LUMENO_BUILD:-$root/build}
if [ "${1:-}" = --windows ]; then
  export LUMENO_PROGRAM=windows
  shift
fi
folder=${1:-}
"$root/scripts/setup.sh" "$build"
"$root/scripts/build.sh" "$build" >/dev/null
"$root/scripts/make-samples.sh" "$build"
[ -n "$folder" ] || folder=$build/samples
cd "$folder"
source "$root/scripts/env.sh"
source "$root/scripts/launch.sh"
if [ -n "${DISPLAY:-}" ]; then
  program=$(lumeno_program)
  exec wine "$program"
fi
source "$root/scripts/xvfb.sh"
start_xvfb
shot=$build/screenshot-start.png
launch_lumeno
sleep 1
import -window root "$shot"
echo "Screenshot of the running program: $shot"
