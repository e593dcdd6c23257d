#!/usr/bin/env bash
# The Windows program looks like the Winelib one: both are taken through the
# same windows with real input, in the same folder, and every screenshot of
# one must match the other's pixel for pixel.
# usage: same_look.sh BUILD_DIR
source "$(dirname "$0")/../e2e/lib.sh"
shots=$build/e2e-shots/same-look
mkdir -p "$shots"
folder=$build/same-look
rm -rf "$folder"
mkdir -p "$folder"
cp "$build"/samples/*.* "$folder"/
trap 'stop_xvfb; rm -rf "$folder"' EXIT
cd "$folder"

# Each view: its name, then a command that waits for it; a view that does
# not appear fails.
look() {
  local name=$1; shift
  check "$program: $name appears" wait_for 10 "$@"
  stable_shot "$program-$name"
}
menu_item() {  # the menu's Alt key, then how many items down
  xdotool key "$1"
  wait_for 10 window_visible -c "#32768" || return 1
  for _ in $(seq "$2"); do xdotool key Down; done
  xdotool key Return
}

walk() {
  start_lumeno
  look start window_visible "Korvel Lumeno"
  # krajina.jpg is row 2 of the file list.
  xdotool mousemove $(file_row_point 2) click 1
  look preview window_visible "Tarnik Lumeno - krajina.jpg"
  xdotool key alt+s
  look file-menu window_visible -c "#32768"
  xdotool key Escape Escape
  menu_item alt+s 3
  look properties window_visible "Vlastnosti"
  xdotool key alt+F4
  menu_item alt+n 1
  look about window_visible "About TarnikLumeno"
  xdotool key alt+F4
  wait_for 10 window_gone "About TarnikLumeno" || true
  xdotool mousemove $(file_row_point 2) click --repeat 2 --delay 100 1
  look viewer window_visible "krajina.jpg"
  xdotool key Return
  wait_for 10 window_gone "krajina.jpg" || true
  xdotool key alt+F4
  wait_for 10 window_gone "Tarnik Lumeno - krajina.jpg" || true
}

for program in winelib windows; do
  export LUMENO_PROGRAM=$program
  walk
done
for view in start preview file-menu properties about viewer; do
  differ=$(compare -metric AE "$shots/winelib-$view.png" "$shots/windows-$view.png" null: 2>&1)
  check "$view: the same pixels ($differ differ)" test "$differ" = 0
done
finish
