#!/usr/bin/env bash
# Ctrl+C copies the previewed picture: a second program in the same desktop
# finds a bitmap of the picture's size and colours for bitmaps and JPEG
# pictures (with the palette of a palette bitmap), an enhanced metafile for
# both metafile kinds, and for an icon an error box and an emptied
# clipboard. Then "Uložiť obrázok ako..." with a name typed into the system's
# save dialog writes each kind in its own format: JPEG and icon byte for byte,
# the bitmap with the same pixels, the metafile as a placeable WMF.
source "$(dirname "$0")/lib.sh"
work_folder_on_c
samples=$build/samples
cd "$work_dir"
start_lumeno

# File rows, sorted: ikona.ico 0, klipart.wmf 1, krajina.jpg 2, kresba.emf 3,
# male.bmp 4, obrazok.bmp 5.
no_line() { local all; all=$(clipboard_formats) && ! grep -qx -- "$1" <<<"$all"; }  # a pattern
copy_gives() {  # description, a line the clipboard must then hold (a pattern)
  check "$1: not before" no_line "$2"
  xdotool key ctrl+c
  check "$1" wait_for 10 clipboard_has "$2"
}

# --- Copy -----------------------------------------------------------------
select_file 5 obrazok.bmp
copy_gives "a bitmap goes as a bitmap of its size, white in the middle" '2 bitmap 200x150 middle 255,255,255'

select_file 4 male.bmp
copy_gives "a palette bitmap as a bitmap, blue in the middle" '2 bitmap 100x50 middle 32,64,192'
check "with its palette" clipboard_has '9 palette'

# The JPEG's middle is its red disc (192, 48, 32 before compression).
select_file 2 krajina.jpg
copy_gives "a JPEG picture as a bitmap, red in the middle" '2 bitmap 640x480 middle 1[7-9][0-9],[2-6][0-9],[1-5][0-9]'

select_file 3 kresba.emf
copy_gives "an enhanced metafile as one, 320 x 200" '14 enhmetafile bounds 0,0,319,199'
check "not as a bitmap" no_line '2 bitmap.*'

select_file 0 ikona.ico
check "the metafile is still on the clipboard" clipboard_has '14 enhmetafile .*'
xdotool key ctrl+c
check "an icon gives an error box" wait_for 10 window_visible -c "#32770"
shot copy-icon-error
check "saying why" has_text "Clipboard does not support Icons." -c "#32770"
xdotool key Return
check "Enter closes it" wait_for 10 window_gone -c "#32770"
check "and the clipboard is left empty" clipboard_empty

select_file 1 klipart.wmf
copy_gives "a placeable WMF goes as an enhanced metafile" '14 enhmetafile .*'

# --- Save as --------------------------------------------------------------
# "&Súbor" opens with Alt+S, its item "&Uložiť obrázok ako..." with U. The
# name field of the system's dialog has the focus and may hold the last name.
save_as() {  # name in the work folder
  check "no $1 before" test ! -e "$1"
  xdotool key alt+s
  check "Alt+S opens the file menu" poll 5 menus_open 1
  xdotool key u
  check "the save dialog opens for $1" wait_for 10 window_visible -c "#32770"
  xdotool key End shift+Home
  xdotool type --delay 20 "$work_win\\$1"
  shot "copy-save-dialog-$1"
  xdotool key Return
  check "Enter saves and closes the dialog" wait_for 10 window_gone -c "#32770"
  wait_for 10 test -s "$1" || true
}

select_file 2 krajina.jpg
save_as kopia.jpg
check "a JPEG picture is written byte for byte" cmp -s kopia.jpg "$samples/krajina.jpg"

select_file 5 obrazok.bmp
save_as kopia.bmp
bitmap_file() { [ "$(head -c 2 "$1")" = BM ] && [ "$(identify -format '%w %h' "$1" 2>/dev/null)" = "$2" ]; }
check "a bitmap is written as a bitmap of 200 x 150" bitmap_file kopia.bmp "200 150"
check "with the same pixels" test "$(compare -metric AE kopia.bmp "$samples/obrazok.bmp" null: 2>&1)" = 0

select_file 0 ikona.ico
save_as kopia.ico
check "an icon is written byte for byte" cmp -s kopia.ico "$samples/ikona.ico"

select_file 3 kresba.emf
save_as kresba.wmf
key=$(head -c 4 kresba.wmf | od -An -tx1 | tr -d ' ')
check "an enhanced metafile saved as .wmf is a placeable WMF ($key)" test "$key" = d7cdc69a
check "the metafile itself is left alone" cmp -s kresba.emf "$samples/kresba.emf"

xdotool key alt+F4
poll 10 window_gone "Tarnik Lumeno - kresba.emf" || true
finish
