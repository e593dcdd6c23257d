#!/usr/bin/env bash
# Sets up, builds and starts the program in FOLDER (default: the generated
# sample pictures). With $DISPLAY it runs there; without one it runs inside
# Wine's virtual desktop on a virtual X server, saves a screenshot and ends.
# usage: scripts/start.sh [FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LUMENO_BUILD:-$root/build}
folder=${1:-}
"$root/scripts/setup.sh" "$build"
"$root/scripts/build.sh" "$build" >/dev/null
"$root/scripts/make-samples.sh" "$build"
[ -n "$folder" ] || folder=$build/samples
cd "$folder"
source "$root/scripts/env.sh"
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$build/lumeno.exe.so"
fi
source "$root/scripts/xvfb.sh"
source "$root/scripts/launch.sh"
start_xvfb
shot=$build/screenshot-start.png
launch_lumeno
sleep 1
import -window root "$shot"
echo "Screenshot of the running program: $shot"
