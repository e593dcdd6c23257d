#!/usr/bin/env bash
# Generates the folder of sample pictures (every kind the program reads).
# usage: make-samples.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
out=$build/samples
mkdir -p "$out"
[ -f "$out/.complete" ] && exit 0
source "$root/scripts/env.sh"
convert -size 640x480 gradient:'#2060c0-#f0d040' -fill '#c03020' -draw 'circle 320,240 320,120' \
  -quality 90 "$out/krajina.jpg"
convert -size 1600x1200 plasma:fractal -seed 7 -quality 88 "$out/velka fotka.jpg"
convert -size 320x240 gradient:'#f0f0f0-#303030' -colorspace Gray -quality 90 "$out/sive.jpg"
convert -size 200x150 xc:'#30a050' -fill '#ffffff' -draw 'rectangle 40,30 160,120' \
  -type TrueColor "BMP3:$out/obrazok.bmp"
convert -size 100x50 xc:'#e0e040' -fill '#2040c0' -draw 'circle 50,25 50,5' \
  -type Palette -colors 16 "BMP3:$out/male.bmp"
convert -size 48x48 xc:'#d04040' -fill '#ffffff' -draw 'circle 24,24 24,8' \
  -define icon:auto-resize=48,32,16 "$out/ikona.ico"
wine "$build/make_metafiles.exe.so" "$out/kresba.emf" "$out/klipart.wmf"
touch "$out/.complete"
