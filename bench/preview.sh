#!/usr/bin/env bash
# Previewing a 6000 x 4000 baseline JPEG in the automatic mode, from the click
# until the pane has painted, against djpeg decoding the same file in the
# same command; prints both medians, their ratio, and the preview's peak
# memory against the decoded bitmap.
# usage: bench/preview.sh [BUILD_DIR] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-7}
"$root/scripts/setup.sh" "$build"
build=$(cd "$build" && pwd)
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/winelib.cmake" >/dev/null
cmake --build "$build" -j2 --target preview_bench >/dev/null

pictures=$build/bench-preview
mkdir -p "$pictures"
big=$pictures/velky.jpg
if [ ! -s "$big" ]; then
  # Photo-like content, so the coder has real work; baseline, quality 90.
  convert -seed 7 -size 6000x4000 plasma:fractal -blur 0x1 -quality 90 -interlace none \
    -sampling-factor 2x2 "$big"
fi
[ -s "$pictures/maly.bmp" ] || convert -size 40x30 xc:gray "BMP3:$pictures/maly.bmp"

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }

djpeg -outfile /dev/null "$big"  # warm the disk cache
times=()
for _ in $(seq "$runs"); do
  t0=$(date +%s%N)
  djpeg -outfile /dev/null "$big"
  t1=$(date +%s%N)
  times+=("$(LC_ALL=C awk -v d=$((t1 - t0)) 'BEGIN {printf "%.1f", d / 1e6}')")
done
ref=$(printf '%s\n' "${times[@]}" | median)
echo "djpeg $(basename "$big"): ${ref} ms (median of $runs)"

source "$root/scripts/env.sh"
folder=$(winepath -w "$pictures" 2>/dev/null)
out=$(mktemp)
"$root/scripts/wine-run.sh" "$build/preview_bench.exe.so" "$folder" velky.jpg maly.bmp "$runs" | tee "$out"
prev=$(awk '/^PREVIEW_MS/ {print $2}' "$out")
rm -f "$out"
[ -n "$prev" ] || { echo "the preview benchmark gave no time" >&2; exit 1; }
LC_ALL=C awk -v p="$prev" -v r="$ref" 'BEGIN {printf "ratio preview/djpeg %.2f (target at most 1.3)\n", p / r}'
