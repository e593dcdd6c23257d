#!/usr/bin/env bash
# A double-click on a file in the real program opens the windowed viewer and
# Enter closes it; with full screen checked the picture covers the black
# screen, the taskbar goes, and Enter brings it back.
source "$(dirname "$0")/lib.sh"
folder=$(work_folder)
cd "$folder"
start_lumeno

# obrazok.bmp (200 x 150, green with a white rectangle from 40,30 to 160,120)
# is row 5 of the file list in the sorted sample folder.
read -r row_x row_y < <(file_row_point 5)
open_by_double_click() { xdotool mousemove "$row_x" "$row_y" click --repeat 2 --delay 100 1; }

check "the viewer is not up before" window_gone "obrazok.bmp"
open_by_double_click
check "a double-click opens the viewer named after the file" wait_for 10 window_visible "obrazok.bmp"
read -r _ left top right bottom cx cy < <(wininfo "obrazok.bmp")
check "the viewer is 200 x 200 ($left,$top,$right,$bottom)" test "$((right - left))x$((bottom - top))" = "200x200"
check "and centred on the screen" test "$left,$top" = "412,284"
# The picture is centred under the 5-pixel strip: its middle is white, 70
# pixels to the left it is green.
mid_x=$(( (left + right) / 2 )) mid_y=$(( cy + 5 + (bottom - cy - 5) / 2 ))
white_at() { [ "$(pixel "$1" "$2" "$3")" = 255,255,255 ]; }
check "the picture's middle is white" shot_until viewer 10 white_at viewer "$mid_x" "$mid_y"
px=$(pixel viewer $((mid_x - 70)) "$mid_y")
check "its left part is green ($px)" is_green "$px"
xdotool key Return
check "Enter closes the viewer" wait_for 10 window_gone "obrazok.bmp"
check "the main window is back" window_visible "Tarnik Lumeno - obrazok.bmp"

# Full screen: Zobraziť > Celá obrazovka.
menu 2 3
check "the taskbar shows before" window_visible -c Shell_TrayWnd
open_by_double_click
check "full screen hides the taskbar" wait_for 10 window_gone -c Shell_TrayWnd
check "the picture is centred on the screen" shot_until fullscreen 10 white_at fullscreen 512 384
px=$(pixel fullscreen 5 5)
check "the screen around the picture is black ($px)" test "$px" = "0,0,0"
px=$(pixel fullscreen 1018 762)
check "also where the taskbar was ($px)" test "$px" = "0,0,0"
px=$(pixel fullscreen $((512 - 70)) 384)
check "with its green part to the left ($px)" is_green "$px"
xdotool key Return
check "Enter brings the taskbar back" wait_for 10 window_visible -c Shell_TrayWnd
not_black() { [ "$(pixel after-fullscreen 5 5)" != 0,0,0 ]; }
check "and the black screen is gone" shot_until after-fullscreen 10 not_black

xdotool key alt+F4
wait_for 10 window_gone "Tarnik Lumeno - obrazok.bmp" || true
rm -rf "$folder"
finish
