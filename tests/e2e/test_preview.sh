#!/usr/bin/env bash
# Selecting files with the real mouse previews them: a large JPEG shrunk into
# the pane, the same JPEG at its actual size with both scroll bars, and a
# small bitmap at its natural size in the middle of the pane.
source "$(dirname "$0")/lib.sh"
folder=$(work_folder)
cd "$folder"
start_lumeno

grey() { [ "$1" = "128,128,128" ]; }
not_grey() { ! grey "$1"; }
at() { pixel "$1" $((ox + $2)) $((oy + $3)); }
# In the sorted sample folder "velka fotka.jpg" (1600 x 1200) is row 7 of the
# file list, obrazok.bmp row 5.
select_file 7 "velka fotka.jpg"
# Shrunk to 230 x 172 in a panel of 234 x 176 at 19, 184: picture from 21, 186.
covered() { not_grey "$(at preview-jpeg-automatic $pane_cx $pane_cy)"; }
check "the picture covers the pane's middle" shot_until preview-jpeg-automatic 10 covered
check "and its top left corner" not_grey "$(at preview-jpeg-automatic 23 188)"
px=$(at preview-jpeg-automatic 255 $pane_cy)
check "right of the shrunk picture is no picture ($px)" test "$px" != "$(at preview-jpeg-automatic 240 $pane_cy)"
check "no scroll bar" no_bar preview-jpeg-automatic

# Zobraziť > Ukážka > Skutočná veľkosť: the 249 x 161 panel at 8, 184 with
# the bars beside and below it.
menu 2 2 1
actual() { both_bars preview-jpeg-actual && not_grey "$(at preview-jpeg-actual 252 340)"; }
check "actual size: both scroll bars, the picture up to the vertical one" shot_until preview-jpeg-actual 10 actual
menu 2 2 0
check "automatic size again: no scroll bar" shot_until preview-jpeg-again 10 no_bar preview-jpeg-again

select_file 5 obrazok.bmp
# 200 x 150 in a 204 x 154 panel at 36, 197: picture from 38, 199; its white
# rectangle spans 40..160 x 30..120.
white_middle() { [ "$(at preview-bmp 138 274)" = "255,255,255" ]; }
check "the bitmap's white middle" shot_until preview-bmp 10 white_middle
check "its green border" is_green "$(at preview-bmp 58 274)"
check "grey panel background gone beside it" not_grey "$(at preview-bmp 39 200)"

xdotool key alt+F4
poll 10 window_gone "Tarnik Lumeno - obrazok.bmp" || true
rm -rf "$folder"
finish
