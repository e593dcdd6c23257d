#!/usr/bin/env bash
# The file commands through their dialogs with the real mouse and keyboard:
# a new folder (an empty name is refused first), a rename, a rename that
# moves a file into the new folder, a delete declined and then confirmed.
# Then a double-click on the new folder's row enters it, the file list
# shows its one file, and a double-click on the parent's row comes back.
source "$(dirname "$0")/lib.sh"
work_folder_on_c
samples=$build/samples
cd "$work_dir"
start_lumeno
main_title="Korvel Lumeno"

click_client() { xdotool mousemove $((ox + $1)) $((oy + $2)) click 1; }
# A tool button by its name in the main window's layout table.
tool_button() { click_client $(okno_middle "$1"); }
# The middle of a dialog's control, by its name in the dialog's layout table.
dialog_click() {  # title, the table's window (NewDir, Premenuj, Vymazat), control name
  local cx cy l t w h
  read -r _ _ _ _ _ cx cy < <(wininfo "$1") || return 1
  read -r l t w h < <(layout_box "$2" "$3")
  xdotool mousemove $((cx + l + w / 2)) $((cy + t + h / 2)) click 1
}
# Rows of the file list and of the folder list inside a 2-pixel border.
read -r files_l files_t _ < <(okno_box files)
read -r dir_l dir_t _ < <(okno_box Dir)
double_click_folder() {
  xdotool mousemove $((ox + dir_l + 92)) $((oy + dir_t + 2 + $1 * row_height + 8)) click --repeat 2 --delay 80 1
}
# A file row shows something (a name, or the selection) where it is not white.
file_row_used() {
  some_pixels "$1" $((ox + files_l + 4)) $((oy + files_t + 2 + $2 * row_height)) 300 14 'r < 250 || g < 250 || b < 250'
}
file_row_empty() { ! file_row_used "$@"; }
folder_glyph_in_row() {
  some_pixels "$1" $((ox + dir_l + 4)) $((oy + dir_t + 2 + $2 * row_height)) 40 16 'r > 200 && g > 200 && b < 100'
}
label_shows() { has_text "$1" "$main_title"; }  # the path label's text
# The notice carries the application title, as the main window still does.
notice_up() { [ "$(count_up "Korvel Lumeno")" = 2 ]; }
notice_gone() { [ "$(count_up "Korvel Lumeno")" = 1 ]; }
# male.bmp's blue disc in the middle of the preview.
blue_middle() { [ "$(pixel "$1" $((ox + 138)) $((oy + 274)))" = 32,64,192 ]; }
only_in_album() { [ -f album/male.bmp ] && [ ! -e male.bmp ]; }

shot files-start
check "the path label shows the folder" label_shows "$work_win"

# --- New folder -----------------------------------------------------------
tool_button SpeedButton5
check "the new-folder button opens its dialog" wait_for 10 window_visible "Nový priečinok"
shot files-new-folder-dialog
dialog_click "Nový priečinok" NewDir Button1  # "&OK" with the field empty
check "an empty name gives a notice" wait_for 10 notice_up
shot files-new-folder-empty-name
xdotool key Return
check "Enter closes the notice" wait_for 10 notice_gone
check "and the dialog stays open" window_visible "Nový priečinok"
dialog_click "Nový priečinok" NewDir Edit1
xdotool type --delay 20 album
dialog_click "Nový priečinok" NewDir Button1
check "OK closes the dialog" wait_for 10 window_gone "Nový priečinok"
check "the folder is made" test -d album
stable_shot files-new-folder
check "the folder list shows it below the current folder" folder_glyph_in_row files-new-folder 2

# --- Rename ---------------------------------------------------------------
# Sorted: ikona.ico, klipart.wmf, krajina.jpg, kresba.emf, male.bmp,
# obrazok.bmp (row 5), sive.jpg, velka fotka.jpg.
select_file 5 obrazok.bmp
tool_button SpeedButton4
check "the rename button opens its dialog" wait_for 10 window_visible "Premenovanie súboru"
check "showing the old name" has_text obrazok.bmp "Premenovanie súboru"
shot files-rename-dialog
xdotool type --delay 20 leto.bmp  # the new-name field has the focus
dialog_click "Premenovanie súboru" Premenuj Button1
check "OK closes the rename dialog" wait_for 10 window_gone "Premenovanie súboru"
check "the file has its new name" cmp -s leto.bmp "$samples/obrazok.bmp"
check "and not the old one" test ! -e obrazok.bmp

# A name relative to the file's folder moves it: male.bmp is row 5 now.
select_file 5 male.bmp
tool_button SpeedButton4
check "the rename dialog opens again" wait_for 10 window_visible "Premenovanie súboru"
check "keeping the name typed last" has_text leto.bmp "Premenovanie súboru"
xdotool key End shift+Home
xdotool type --delay 20 'album\male.bmp'
dialog_click "Premenovanie súboru" Premenuj Button1
check "OK closes it" wait_for 10 window_gone "Premenovanie súboru"
check "the file moved into the new folder" only_in_album

# --- Delete ---------------------------------------------------------------
# ikona.ico, klipart.wmf, krajina.jpg (row 2), kresba.emf, leto.bmp, ...
select_file 2 krajina.jpg
tool_button SpeedButton3
check "the delete button asks first" wait_for 10 window_visible 'Vymazať "krajina.jpg"'
shot files-delete-dialog
dialog_click 'Vymazať "krajina.jpg"' Vymazat Button2  # "&Nie"
check "No closes the question" wait_for 10 window_gone 'Vymazať "krajina.jpg"'
check "and keeps the file" test -f krajina.jpg
tool_button SpeedButton3
check "asked again" wait_for 10 window_visible 'Vymazať "krajina.jpg"'
dialog_click 'Vymazať "krajina.jpg"' Vymazat Button1  # "A&no"
check "Yes closes the question" wait_for 10 window_gone 'Vymazať "krajina.jpg"'
check "and deletes the file" test ! -e krajina.jpg
stable_shot files-deleted
# Left: ikona, klipart, kresba, leto, sive, velka fotka.
check "the file list is read again: six rows" file_row_used files-deleted 5
check "and no seventh" file_row_empty files-deleted 6
px=$(pixel files-deleted $((ox + pane_cx)) $((oy + pane_cy)))
check "the preview still shows the deleted picture ($px)" test "${px%%,*}" -gt 170
check "under its name" window_visible "$main_title"

# --- Into the new folder and back ----------------------------------------
# The folder list: "C:\" (row 0), the work folder (1), album (2).
double_click_folder 2
check "a double-click enters the folder" wait_for 10 label_shows "$work_win\\album"
stable_shot files-in-album
check "the file list shows the moved file" file_row_used files-in-album 0
check "and nothing else" file_row_empty files-in-album 1
select_file 0 male.bmp
shot_until files-in-album-preview 10 blue_middle files-in-album-preview || true
check "which previews" blue_middle files-in-album-preview

double_click_folder 1
check "a double-click on the parent's row goes back" wait_for 10 label_shows "$work_win"
stable_shot files-back
check "the file list shows the folder's six files again" file_row_used files-back 5
check "and no more" file_row_empty files-back 6
check "the new folder is still listed" folder_glyph_in_row files-back 2

xdotool key alt+F4
wait_for 10 window_gone "$main_title" || true
finish
