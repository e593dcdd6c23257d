#!/usr/bin/env bash
# Start-up until the main window has painted, against a minimal Win32 window
# program started the same way; prints the median times and their ratio.
# usage: bench/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
runs=${2:-7}
source "$root/scripts/env.sh"
source "$root/scripts/xvfb.sh"
start_xvfb
wineserver -p 60  # keep one server for every run, as a user's session would
cd "$build/samples"

time_ms() {  # a program of the build, started inside the virtual desktop
  local t0 t1
  t0=$(date +%s%N)
  wine explorer /desktop=shell,1024x768 "$build/$1.exe.so" >/dev/null 2>&1
  t1=$(date +%s%N)
  echo $(((t1 - t0) / 1000000))
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }

time_ms minimal_window >/dev/null  # warm the server and the disk cache
time_ms startup_bench >/dev/null
ref=() prog=()
for _ in $(seq "$runs"); do
  ref+=("$(time_ms minimal_window)")
  prog+=("$(time_ms startup_bench)")
done
r=$(printf '%s\n' "${ref[@]}" | median)
p=$(printf '%s\n' "${prog[@]}" | median)
ratio=$(LC_ALL=C awk -v p="$p" -v r="$r" 'BEGIN {printf "%.2f", p / r}')
echo "start-up until painted: ${p} ms; minimal window program: ${r} ms; ratio ${ratio} (target at most 1.5)"
