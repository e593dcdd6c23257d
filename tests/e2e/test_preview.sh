#!/usr/bin/env bash
# Selecting files with the real mouse previews them: a large JPEG shrunk into
# the pane, the same JPEG at its actual size with both scroll bars, and a
# small bitmap at its natural size in the middle of the pane.
source "$(dirname "$0")/lib.sh"
folder=$(work_folder)
cd "$folder"
launch_lumeno
read -r ox oy < <(client_origin "Korvel Lumeno")

# In the sorted sample folder "velka fotka.jpg" (1600 x 1200) is row 7 of the
# file list, obrazok.bmp row 5.
click_row() {
  xdotool mousemove $(file_row_point "$1") click 1
  sleep 1.5
}
# "Ukážka" is the fourth item of the third menu (Zobraziť); its submenu holds
# the two sizing modes.
pick_mode() {  # 0 automatic, 1 actual size
  xdotool key alt
  sleep 0.3
  xdotool key Right Right Down
  sleep 0.3
  xdotool key Up Up Right
  sleep 0.3
  [ "$1" = 1 ] && xdotool key Down
  xdotool key Return
  sleep 1.5
}
grey() { [ "$1" = "128,128,128" ]; }
not_grey() { ! grey "$1"; }
is_green() { IFS=, read -r r g b <<<"$1"; [ "$r" -lt 90 ] && [ "$g" -gt 130 ] && [ "$b" -lt 120 ]; }
at() { pixel "$1" $((ox + $2)) $((oy + $3)); }

click_row 7
shot preview-jpeg-automatic
check "caption names the JPEG" window_visible "Tarnik Lumeno - velka fotka.jpg"
# Shrunk to 230 x 172 in a panel of 234 x 176 at 19, 184: picture from 21, 186.
check "the picture covers the pane's middle" not_grey "$(at preview-jpeg-automatic $pane_cx $pane_cy)"
check "and its top left corner" not_grey "$(at preview-jpeg-automatic 23 188)"
px=$(at preview-jpeg-automatic 255 $pane_cy)
check "right of the shrunk picture is no picture ($px)" test "$px" != "$(at preview-jpeg-automatic 240 $pane_cy)"

pick_mode 1
shot preview-jpeg-actual
# 249 x 161 panel at 8, 184 with the bars beside and below it.
check "actual size fills the pane" not_grey "$(at preview-jpeg-actual 12 188)"
check "up to the vertical bar" not_grey "$(at preview-jpeg-actual 252 340)"
px=$(at preview-jpeg-actual 264 260)
check "the vertical bar is drawn ($px)" not_grey "$px"

pick_mode 0
click_row 5
shot preview-bmp
check "caption names the bitmap" window_visible "Tarnik Lumeno - obrazok.bmp"
# 200 x 150 in a 204 x 154 panel at 36, 197: picture from 38, 199; its white
# rectangle spans 40..160 x 30..120.
check "the bitmap's white middle" test "$(at preview-bmp 138 274)" = "255,255,255"
check "its green border" is_green "$(at preview-bmp 58 274)"
check "grey panel background gone beside it" not_grey "$(at preview-bmp 39 200)"

xdotool key alt+F4
for _ in $(seq 50); do window_visible "Tarnik Lumeno - obrazok.bmp" || break; sleep 0.2; done
rm -rf "$folder"
finish
