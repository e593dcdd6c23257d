#!/usr/bin/env bash
# The program starts in a folder, shows its main window with the Slovak menu
# bar and the tool bar, and ends when its window is closed.
source "$(dirname "$0")/lib.sh"
folder=$(work_folder)
cd "$folder"
start_lumeno
stable_shot startup
check "main window titled Korvel Lumeno" window_visible "Korvel Lumeno"
# The preview panel's grey background at the panel's centre.
read -r x y < <(okno_middle ImgPanel)
check "grey preview panel" test "$(pixel startup $((ox + x)) $((oy + y)))" = "128,128,128"
# The delete button's red cross, in its middle.
read -r x y < <(okno_middle SpeedButton3)
px=$(pixel startup $((ox + x)) $((oy + y)))
check "tool bar glyph drawn ($px)" test "${px%%,*}" -gt 200
# The drive selector reads the folder's drive, its text drawn right of the
# glyph in the closed box.
drive_text() { window_texts "Korvel Lumeno" | grep -q '^ComboBox|z: \['; }
check "the drive selector names drive z:" drive_text
read -r x y _ < <(okno_box disk)
check "and draws it" some_pixels startup $((ox + x + 24)) $((oy + y + 3)) 30 13 'r < 80 && g < 80 && b < 80'
# Alt+F4 with real keys closes the active main window, and the process ends.
check "the program runs" running
xdotool key alt+F4
check "closing the main window ends the program" poll 10 ended
rm -rf "$folder"
finish
