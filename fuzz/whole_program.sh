#!/usr/bin/env bash
# The whole-program mutation run of one picture format under Wine, with a
# restart loop: tools/mutate_pictures runs the cases in batches; when a
# batch crashes, or a case makes no progress for a minute, the case's
# input is kept in BUILD/mutation/findings and the run goes on after it.
# Runs cases FIRST (0 by default) to LAST - 1, or fewer when SECONDS (0:
# no limit) pass first. Prints one line of figures; exits 1 when anything
# crashed or hung.
# usage: whole_program.sh BUILD EXT LAST [SECONDS [FIRST]]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
ext=$2 cases=$3 seconds=${4:-0} first=${5:-0}
source "$root/scripts/env.sh"
base=$build/mutation
# A prefix of its own: the run's clipboard and crashes stay out of the suite's.
export WINEPREFIX=$base/prefix
work=$base/$ext seeds=$base/seeds findings=$base/findings
mkdir -p "$work" "$findings"
source "$root/scripts/xvfb.sh"
start_xvfb
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wineserver -w
fi
# Seeds: the valid set of metafiles and small bitmaps and icons of each kind,
# made again whenever the valid set's tool is rebuilt.
if [ ! "$seeds/.complete" -nt "$build/make_metafiles.exe.so" ]; then
  rm -rf "$seeds"
  mkdir -p "$seeds"
  wine "$build/make_metafiles.exe.so" --set "$seeds" >/dev/null 2>&1
  convert -size 7x5 gradient:red-blue -type TrueColor "BMP3:$seeds/true.bmp"
  convert -size 9x4 gradient:yellow-green -type Palette -colors 200 "BMP3:$seeds/palette.bmp"
  convert -size 8x6 gradient:white-black -type Palette -colors 12 -compress RLE "BMP3:$seeds/rle.bmp"
  convert -size 8x3 pattern:checkerboard -monochrome "BMP3:$seeds/mono.bmp"
  convert -size 32x32 xc:'#d04040' -fill white -draw 'circle 16,16 16,6' -define icon:auto-resize=32,16 "$seeds/two.ico"
  convert -size 8x8 xc:'#4040d0' -type Palette -colors 16 "$seeds/small.ico"
  touch "$seeds/.complete"
fi
windows() { local p=${1//\//\\}; echo "Z:$p"; }

batch=$(( seconds > 0 ? 100 : 2000 ))
next=$first crashes=0 hangs=0 started=$SECONDS
rm -f "$work/tally"
while (( next < cases )) && (( seconds == 0 || SECONDS - started < seconds )); do
  count=$(( cases - next < batch ? cases - next : batch ))
  : >"$work/progress"
  nice -n 10 wine "$build/mutate_pictures.exe.so" "$(windows "$seeds")" "$(windows "$work")" "$ext" "$next" "$count" \
    >/dev/null 2>&1 &
  pid=$! last= since=$SECONDS hung=0
  while kill -0 "$pid" 2>/dev/null; do
    sleep 1
    now=$(cat "$work/progress" 2>/dev/null)
    if [ "$now" != "$last" ]; then
      last=$now since=$SECONDS
    elif (( SECONDS - since > 60 )); then
      kill -9 "$pid" 2>/dev/null
      hung=1
    fi
  done
  wait "$pid" 2>/dev/null
  state=$(cat "$work/progress" 2>/dev/null)
  if [ "$state" = done ]; then
    next=$(( next + count ))
    continue
  fi
  # A case that never started would be the program's start itself failing.
  [ -n "$state" ] || { echo "$ext: the run did not start" >&2; exit 1; }
  kind=crash
  (( hung )) && kind=hang
  cp "$work/case.$ext" "$findings/$kind-$ext-$state.$ext"
  echo "$ext: $kind at case $state, kept as $findings/$kind-$ext-$state.$ext" >&2
  if (( hung )); then hangs=$(( hangs + 1 )); else crashes=$(( crashes + 1 )); fi
  next=$(( state + 1 ))
done
read -r done_cases loaded refused draw saved save_err reloaded reload_err < <(
  awk '{for (i = 1; i <= 8; i++) s[i] += $i} END {printf "%d %d %d %d %d %d %d %d\n", s[1], s[2], s[3], s[4], s[5], s[6], s[7], s[8]}' \
    "$work/tally" 2>/dev/null || echo 0 0 0 0 0 0 0 0)
echo "whole program, $ext: cases $first to $(( next - 1 )) in $(( SECONDS - started )) s ($loaded loaded, $refused refused," \
  "$draw drawing errors; $saved saved, $save_err save errors; $reloaded reloaded, $reload_err refused on reloading;" \
  "counted over the batches that ran to their end): $crashes crashes, $hangs hangs"
(( crashes == 0 && hangs == 0 ))
