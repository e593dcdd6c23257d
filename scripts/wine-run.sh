#!/usr/bin/env bash
# Runs a test program of the build inside Wine's virtual desktop (1024 x 768,
# with a taskbar) on a private virtual X server; exits with the program's code.
# usage: wine-run.sh BUILD/prog.exe.so [ARGS...]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prog=$1; shift
build=$(cd "$(dirname "$prog")" && pwd)
source "$root/scripts/env.sh"
source "$root/scripts/xvfb.sh"
start_xvfb
exit_file=$(mktemp)
echo 255 >"$exit_file"
export LUMENO_EXIT_FILE=$exit_file
wine explorer /desktop=shell,1024x768 "$prog" "$@"
wineserver -w 2>/dev/null
code=$(cat "$exit_file"); rm -f "$exit_file"
exit "$code"
