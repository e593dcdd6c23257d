#!/usr/bin/env bash
# A double-click on a file in the real program opens the windowed viewer and
# Enter closes it; with full screen checked the picture covers the black
# screen, the taskbar goes, and Enter brings it back.
source "$(dirname "$0")/lib.sh"
folder=$(work_folder)
cd "$folder"
launch_lumeno
read -r ox oy < <(client_origin "Korvel Lumeno")

# obrazok.bmp (200 x 150, green with a white rectangle from 40,30 to 160,120)
# is row 5 of the file list in the sorted sample folder.
read -r row_x row_y < <(file_row_point 5)
open_by_double_click() {
  xdotool mousemove "$row_x" "$row_y" click 1
  sleep 0.5
  xdotool click --repeat 2 --delay 100 1
}
wait_until() {  # up to 10 s for a command to succeed
  local i
  for i in $(seq 50); do "$@" && return 0; sleep 0.2; done
  return 1
}
is_green() { IFS=, read -r r g b <<<"$1"; [ "$r" -lt 90 ] && [ "$g" -gt 130 ] && [ "$b" -lt 120 ]; }

open_by_double_click
wait_until window_visible "obrazok.bmp"
shot viewer
check "a double-click opens the viewer named after the file" window_visible "obrazok.bmp"
read -r _ left top right bottom cx cy < <(wininfo "obrazok.bmp")
check "the viewer is 200 x 200 ($left,$top,$right,$bottom)" test "$((right - left))x$((bottom - top))" = "200x200"
check "and centred on the screen" test "$left,$top" = "412,284"
# The picture is centred under the 5-pixel strip: its middle is white, 70
# pixels to the left it is green.
mid_x=$(( (left + right) / 2 )) mid_y=$(( cy + 5 + (bottom - cy - 5) / 2 ))
px=$(pixel viewer "$mid_x" "$mid_y")
check "the picture's middle is white ($px)" test "$px" = "255,255,255"
px=$(pixel viewer $((mid_x - 70)) "$mid_y")
check "its left part is green ($px)" is_green "$px"
xdotool key Return
wait_until window_gone "obrazok.bmp"
check "Enter closes the viewer" window_gone "obrazok.bmp"
check "the main window is back" window_visible "Tarnik Lumeno - obrazok.bmp"

# Full screen: Zobraziť is the third menu; its last item is the check mark.
xdotool key alt
sleep 0.3
xdotool key Right Right Down
sleep 0.3
xdotool key Up Return
sleep 0.5
check "the taskbar shows before" window_visible -c Shell_TrayWnd
open_by_double_click
wait_until window_gone -c Shell_TrayWnd
sleep 1
shot fullscreen
check "full screen hides the taskbar" window_gone -c Shell_TrayWnd
px=$(pixel fullscreen 5 5)
check "the screen around the picture is black ($px)" test "$px" = "0,0,0"
px=$(pixel fullscreen 1018 762)
check "also where the taskbar was ($px)" test "$px" = "0,0,0"
px=$(pixel fullscreen 512 384)
check "the picture is centred on the screen ($px)" test "$px" = "255,255,255"
px=$(pixel fullscreen $((512 - 70)) 384)
check "with its green part to the left ($px)" is_green "$px"
xdotool key Return
wait_until window_visible -c Shell_TrayWnd
sleep 0.5
shot after-fullscreen
check "Enter brings the taskbar back" window_visible -c Shell_TrayWnd
px=$(pixel after-fullscreen 5 5)
check "and the black screen is gone ($px)" test "$px" != "0,0,0"

xdotool key alt+F4
wait_until window_gone "Tarnik Lumeno - obrazok.bmp" || true
rm -rf "$folder"
finish
