#!/usr/bin/env bash
# Every benchmark of the program, or the parts named: each figure is the
# median ratio of subject and reference runs taken alternately (see
# bench/lib.sh), with its spread and its verdict; the last line counts the
# figures within target.
# usage: bench/run.sh [BUILD_DIR] [RUNS] [PART...]
#   parts: startup browse preview viewers drag step (all by default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-9}
shift $(($# > 2 ? 2 : $#))
parts=("$@")
[ ${#parts[@]} -gt 0 ] || parts=(startup browse preview viewers drag step)
source "$root/bench/lib.sh"

"$root/scripts/setup.sh" "$build"
build=$(cd "$build" && pwd)
"$root/scripts/build.sh" "$build" >/dev/null
"$root/scripts/make-samples.sh" "$build"
source "$root/scripts/env.sh"

# The pictures, in the Wine prefix's drive C: so that the folder list shows
# every row of their paths.
data=$WINEPREFIX/drive_c/lumeno-bench
data_win='C:\lumeno-bench'
make_pictures() {
  local d=$data/obrazky
  mkdir -p "$d"
  if [ ! -f "$d/.complete" ]; then
    # Photo-like content, so the coder has real work; baseline, quality 90.
    convert -seed 7 -size 6000x4000 plasma:fractal -blur 0x1 -quality 90 -interlace none \
      -sampling-factor 2x2 "$d/velky.jpg"
    convert "$d/velky.jpg" -type TrueColor "BMP3:$d/velky.bmp"
    convert -seed 8 -size 6000x700 plasma:fractal -blur 0x1 -quality 90 -interlace none "$d/siroky.jpg"
    convert -seed 9 -size 1000x6000 plasma:fractal -blur 0x1 -quality 90 -interlace none "$d/vysoky.jpg"
    touch "$d/.complete"
  fi
  # Not of one colour, which the pane's background could pass for.
  convert -seed 11 -size 40x30 plasma:fractal "BMP3:$d/maly.bmp"
  convert "$d/maly.bmp" -quality 90 "$d/maly.jpg"
  d=$data/krok
  mkdir -p "$d"
  if [ ! -f "$d/.complete" ]; then
    convert -seed 10 -size 4000x3000 plasma:fractal -blur 0x1 "$d/zaklad.ppm"
    local i
    for i in $(seq -w 1 20); do
      convert "$d/zaklad.ppm" -roll "+$((10#$i * 190))+$((10#$i * 70))" -quality 90 -interlace none \
        "$d/fotka_$i.jpg"
    done
    rm "$d/zaklad.ppm"
    touch "$d/.complete"
  fi
  local n
  for n in 1000 10000 100000; do
    d=$data/priecinky/obrazky-$n
    mkdir -p "$d"
    [ -f "$data/priecinky/.complete-$n" ] && continue
    # Empty files in a scrambled order, the six picture extensions in turn.
    (cd "$d" && LC_ALL=C awk -v n="$n" 'BEGIN {
        split("jpg jpeg bmp ico emf wmf", ext, " ")
        for (i = 0; i < n; i++) printf "obrazok_%06d.%s\n", (i * 7919) % n, ext[i % 6 + 1] }' |
      xargs touch)
    touch "$data/priecinky/.complete-$n"
  done
}

out=$(mktemp)
log=$(mktemp)
trap 'rm -f "$out" "$log"' EXIT
# Runs a benchmark program of the build on its own virtual X server; its
# output goes to $out, its notes to the screen.
bench_program() {
  local code=0
  "$root/scripts/wine-run.sh" "$build/$1.exe.so" "${@:2}" 2> >(grep -av 'FS volume label' >&2) >"$out" || code=$?
  [ $code -eq 0 ] || echo "$1 failed with exit code $code"
  grep -v '^PAIR' "$out" || true
}

part_startup() {
  echo "== start-up"
  (
    source "$root/scripts/xvfb.sh"
    start_xvfb
    wineserver -p 60  # one server for every run, as a user's session has
    cd "$build/samples"
    # Files, not pipes: Wine's services started by the first run keep the
    # descriptors they inherit.
    ended=$build/startup.exit said=$build/startup.out
    # Milliseconds from launching program $1 until its main window's first
    # paint had ended, which it prints; fails, saying why, unless it printed
    # that and then ended with 0.
    launch() {
      local t0 status painted
      echo 255 >"$ended"
      t0=${EPOCHREALTIME/,/.}
      LUMENO_EXIT_FILE=$ended timeout 120 wine explorer /desktop=shell,1024x768 "$build/$1.exe.so" >"$said" 2>&1 ||
        { echo "$1: Wine failed or timed out" >&2; return 1; }
      status=$(cat "$ended")
      painted=$(LC_ALL=C awk '$1 == "painted" {print $2}' "$said")
      if [ "$status" != 0 ] || [ -z "$painted" ]; then echo "$1 ended with $status, painted: ${painted:-no}" >&2; return 1; fi
      LC_ALL=C awk -v t0="$t0" -v t1="$painted" 'BEGIN {printf "%.3f", (t1 - t0) * 1000}'
    }
    program() { launch startup_bench; }
    minimal() { launch minimal_window; }
    alternate "$runs" startup program minimal >"$out" || echo "start-up failed"
  )
  figure "$out" startup 1.2 ms "start-up, launch until the main window has painted, against a minimal Win32 window program"
}

part_browse() {
  echo "== entering folders"
  bench_program browse_bench "$data_win\\priecinky" "$runs" obrazky-1000 obrazky-10000 obrazky-100000
  local n target
  for n in 1000 10000 100000; do
    target=$([ $n = 10000 ] && echo 1.5 || echo -)
    figure "$out" "browse-obrazky-$n" "$target" ms \
      "entering a folder of $n pictures (double-click until both lists painted), against a bare enumeration"
  done
  figure_growth "$out" browse-obrazky-10000 browse-obrazky-100000 0.2 \
    "how that ratio grows from 10000 to 100000 pictures"
}

part_preview() {
  echo "== previewing"
  bench_program preview_bench "$data_win\\obrazky" "$data/obrazky" "$runs" velky.jpg velky.bmp maly.bmp
  figure "$out" preview-jpeg 1.1 ms "previewing a 6000 x 4000 JPEG (click until painted), against djpeg"
  figure "$out" preview-memory 1.1 bytes "peak memory of the first such preview, against the decoded bitmap"
  figure "$out" preview-bmp 1.5 ms "previewing a 6000 x 4000 24-bit BMP (click until painted), against one read of it"
}

part_viewers() {
  echo "== opening the viewers"
  bench_program viewer_bench "$data_win\\obrazky" "$data/obrazky" "$runs" velky.jpg maly.bmp
  figure "$out" viewer-window 1.2 ms \
    "6000 x 4000 JPEG selected while the pane shows another picture, Enter until the windowed viewer painted, against djpeg"
  figure "$out" viewer-full-screen 1.2 ms "the same in the full-screen viewer, against djpeg"
  figure "$out" viewer-window-previewed 0.3 ms \
    "the windowed viewer on the previewed picture (double-click on the 6000 x 4000 JPEG in the pane until painted), against djpeg"
  figure "$out" viewer-full-screen-previewed 0.3 ms "the full-screen viewer on the previewed picture, against djpeg"
}

part_drag() {
  echo "== dragging full screen"
  bench_program drag_bench "$data_win\\obrazky" 200 siroky.jpg vysoky.jpg
  local id size
  for id in siroky vysoky; do
    size=$([ $id = siroky ] && echo "6000 x 700" || echo "1000 x 6000")
    figure_percentile "$out" "drag-$id" 95 16 "dragging a $size JPEG full screen, pointer move until the screen shows it"
    figure "$out" "drag-$id" 1.5 ms "the same move against one screen-sized BitBlt from a DIB section"
  done
}

part_step() {
  echo "== stepping with the Down key"
  bench_program step_bench "$data_win\\krok" "$data/krok" "$data_win\\obrazky\\maly.jpg"
  figure "$out" step-paused 0.25 ms \
    "a step after a pause through 4000 x 3000 JPEGs (Down 1 s after the previous preview painted, until painted), against djpeg of the file"
  figure "$out" step-memory 2.2 bytes "peak memory while stepping after a pause, against one decoded 4000 x 3000 bitmap"
  figure "$out" step 1.2 ms "a step through 4000 x 3000 JPEGs (Down until the preview painted), against djpeg of the file"
}

make_pictures
echo "bench/run.sh on $(date +%F): $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) at the start;" \
  "$runs pairs a figure (200 moves for dragging)"
for part in "${parts[@]}"; do
  "part_$part" | tee -a "$log"
done
tally "$log"
