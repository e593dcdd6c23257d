#!/usr/bin/env bash
# Every picture kind previewed with the real mouse in both sizing modes: an
# icon, a placeable metafile, a JPEG, an enhanced metafile and a palette
# bitmap, each checked where the layout puts it. Then a bitmap file of
# garbage bytes gives its error box; Enter closes it, the old picture stays
# and the next file previews.
source "$(dirname "$0")/lib.sh"
work_folder_on_c
yes 'not a picture' | head -c 400 >"$work_dir/zly.bmp" || true
cd "$work_dir"
start_lumeno

# File rows, sorted: ikona.ico 0, klipart.wmf 1, krajina.jpg 2, kresba.emf 3,
# male.bmp 4, ..., zly.bmp 8.

# Zobraziť > Ukážka holds the two sizing modes.
pick_mode() { if [ "$1" = actual ]; then menu 2 2 1; else menu 2 2 0; fi; }  # automatic | actual

at() { pixel "$1" $((ox + $2)) $((oy + $3)); }  # shot, client x, y
like() {  # colour name, "r,g,b"
  local r g b
  IFS=, read -r r g b <<<"$2"
  case $1 in
  white) [ "$2" = 255,255,255 ] ;;
  red) [ "$r" -gt 170 ] && [ "$g" -lt 110 ] && [ "$b" -lt 110 ] ;;
  blue) [ "$b" -gt 150 ] && [ "$r" -lt 80 ] && [ "$g" -lt 110 ] ;;
  yellow) [ "$r" -gt 200 ] && [ "$g" -gt 180 ] && [ "$b" -lt 100 ] ;;
  sky) [ "$b" -gt 220 ] && [ "$r" -gt 100 ] && [ "$r" -lt 140 ] && [ "$g" -gt 160 ] ;;
  green) [ "$r" -lt 90 ] && [ "$g" -gt 130 ] && [ "$b" -lt 120 ] ;;
  *) echo "unknown colour $1" >&2; return 2 ;;
  esac
}
unlike() { ! like "$@"; }
is() { like "$1" "$(at "$2" "$3" "$4")"; }  # colour, shot, client x, y
# Screenshots until the picture expected shows its colour at a client point.
wait_shot() { shot_until "$1" 10 is "$2" "$1" "$3" "$4" || true; }  # shot, colour, x, y
probe() {  # description, colour, shot, client x, y
  local px
  px=$(at "$3" "$4" "$5")
  check "$1 ($px)" like "$2" "$px"
}
probe_not() {
  local px
  px=$(at "$3" "$4" "$5")
  check "$1 ($px)" unlike "$2" "$px"
}
bars() {  # shot, "both" or "none"
  if [ "$2" = both ]; then check "both scroll bars shown" both_bars "$1"; else check "no scroll bar" no_bar "$1"; fi
}

# --- Automatic size -------------------------------------------------------
# The icon is 32 x 32 (the system icon size): a 36 x 36 panel placed by the
# picture's size at 120, 256, the picture from 122, 258.
select_file 0 ikona.ico
wait_shot kinds-ico-automatic white 138 274
probe "icon: its white middle" white kinds-ico-automatic 138 274
probe "icon: red up to its last column" red kinds-ico-automatic 153 274
probe_not "icon: the panel's border left of it" red kinds-ico-automatic 121 274
bars kinds-ico-automatic none

# 320 x 200 metafiles shrink in 21 steps into a 263 x 166 panel at 5, 189;
# the picture from 7, 191 with the sun's middle at about 213, 236.
select_file 1 klipart.wmf
wait_shot kinds-wmf-automatic yellow 213 236
probe "WMF: the sun where the shrunk picture has it" yellow kinds-wmf-automatic 213 236
probe "WMF: sky at the top left" sky kinds-wmf-automatic 31 215
probe "WMF: grass at the bottom" green kinds-wmf-automatic 31 329
bars kinds-wmf-automatic none

# 640 x 480 shrinks into a 234 x 176 panel at 19, 184: the red disc in the
# middle, the blue top of the gradient in the corner.
select_file 2 krajina.jpg
wait_shot kinds-jpg-automatic red $pane_cx $pane_cy
probe "JPEG: the red disc in the pane's middle" red kinds-jpg-automatic $pane_cx $pane_cy
probe "JPEG: blue top left corner" blue kinds-jpg-automatic 25 190
px=$(at kinds-jpg-automatic 258 $pane_cy)
check "JPEG: nothing right of the panel ($px)" test "$px" = "$(at kinds-jpg-automatic 268 $pane_cy)"
bars kinds-jpg-automatic none

select_file 3 kresba.emf
wait_shot kinds-emf-automatic yellow 213 236
probe "EMF: the sun where the shrunk picture has it" yellow kinds-emf-automatic 213 236
probe "EMF: grass at the bottom" green kinds-emf-automatic 31 329
bars kinds-emf-automatic none

# 100 x 50 at natural size: a 104 x 54 panel placed by the picture's size at
# 86, 247, so the picture covers 88 to 187.
select_file 4 male.bmp
wait_shot kinds-bmp-automatic blue 138 274
probe "bitmap: the blue disc in the middle" blue kinds-bmp-automatic 138 274
probe_not "bitmap: the panel's border at 87" yellow kinds-bmp-automatic 87 260
probe "bitmap: the yellow picture up to 187" yellow kinds-bmp-automatic 187 260
bars kinds-bmp-automatic none

# --- Actual size ----------------------------------------------------------
# Switching the mode previews the selected bitmap again, now in a panel
# centred by its own size: 84, 245, the picture from 86 to 185.
pick_mode actual
wait_shot kinds-bmp-actual yellow 87 260
probe "bitmap: the picture from 86 on" yellow kinds-bmp-actual 87 260
probe_not "bitmap: the panel's border at 187" yellow kinds-bmp-actual 187 260
probe "bitmap: the blue disc in the middle" blue kinds-bmp-actual $pane_cx $pane_cy
bars kinds-bmp-actual none

# The icon's 36 x 36 panel at 118, 254: the picture from 120 to 151.
select_file 0 ikona.ico
wait_shot kinds-ico-actual white $pane_cx $pane_cy
probe "icon: its white middle" white kinds-ico-actual $pane_cx $pane_cy
probe "icon: red from 120 on" red kinds-ico-actual 121 274
probe_not "icon: the panel's border at 153" red kinds-ico-actual 153 274
bars kinds-ico-actual none

# 320 x 200 at natural size in the 249 x 161 panel at 8, 184 with both bars:
# the picture from 10, 186, its sun cut at the panel's right edge.
select_file 1 klipart.wmf
wait_shot kinds-wmf-actual yellow 250 241
probe "WMF: the sun at its natural place" yellow kinds-wmf-actual 250 241
probe "WMF: sky where the shrunk picture had the sun" sky kinds-wmf-actual 213 236
probe "WMF: grass from picture row 140" green kinds-wmf-actual 40 335
bars kinds-wmf-actual both

select_file 2 krajina.jpg
wait_shot kinds-jpg-actual blue 25 190
probe "JPEG: the blue top left corner" blue kinds-jpg-actual 25 190
probe_not "JPEG: the red disc is outside the view" red kinds-jpg-actual $pane_cx $pane_cy
bars kinds-jpg-actual both

select_file 3 kresba.emf
wait_shot kinds-emf-actual yellow 250 241
probe "EMF: the sun at its natural place" yellow kinds-emf-actual 250 241
probe "EMF: sky where the shrunk picture had the sun" sky kinds-emf-actual 213 236
bars kinds-emf-actual both

# --- A bad file -----------------------------------------------------------
select_file 4 male.bmp
pick_mode automatic
wait_shot kinds-before-bad blue 138 274
xdotool mousemove $(file_row_point 8) click 1
wait_for 10 window_visible -c "#32770" || true
shot kinds-bad-file-error
check "the bad bitmap gives an error box" window_visible -c "#32770"
check "saying the bitmap is not valid" has_text "Bitmap image is not valid." -c "#32770"
check "under the title of the last preview" has_text "Tarnik Lumeno - male.bmp" -c "#32770"
read -r _ bl bt br bb _ < <(wininfo -c "#32770") || true
red='r > 200 && g < 90 && b < 90'
check "with the red error icon" some_pixels kinds-bad-file-error "$bl" "$bt" 60 $((bb - bt)) "$red"
xdotool key Return
wait_for 10 window_gone -c "#32770" || true
check "Enter closes the box" window_gone -c "#32770"
check "the main window keeps its caption" window_visible "Tarnik Lumeno - male.bmp"
# The old picture stays, now drawn from the image control's top left: the
# panel's client area starts at 88, 249.
wait_shot kinds-after-bad yellow 90 251
probe "the old picture stays, from the top left" yellow kinds-after-bad 90 251
select_file 0 ikona.ico
wait_shot kinds-after-bad-next white 138 274
probe "the next file previews" white kinds-after-bad-next 138 274

xdotool key alt+F4
wait_for 10 window_gone "Tarnik Lumeno - ikona.ico" || true

# --- The valid set of metafiles ----------------------------------------------
# Every file of the valid set (the drawings recorded by the system and other
# writers' forms of records) previews in turn with Down: its name in the
# caption, no error box, and its 160 x 120 picture (at 56, 212 in the pane)
# drawn over most of the pane's blank colour. The Winelib program's own
# layers play the set in process (tests/picture/valid_metafiles_test.cpp);
# here the Windows program, whose build differs, takes it with real input.
if [ "${LUMENO_PROGRAM:-winelib}" != windows ]; then finish; exit; fi
set_dir=$(mktemp -d "$WINEPREFIX/drive_c/e2e-XXXXXX")
trap 'stop_xvfb; rm -rf "$work_dir" "$set_dir"' EXIT
wine "$build/make_metafiles.exe.so" --set "$set_dir" >/dev/null 2>&1
cd "$set_dir"
files=$(ls | wc -l)
launch_lumeno
serve_desktop_state
read -r ox oy < <(client_origin "Korvel Lumeno")
caption() { xdotool search --name '^Tarnik Lumeno - ' getwindowname 2>/dev/null | head -1; }
caption_is() { [ "$(caption)" = "$1" ]; }
caption_other_than() { local c; c=$(caption); [ -n "$c" ] && [ "$c" != "$1" ]; }
area() { echo "156x116+$((ox + 58))+$((oy + 214))"; }
shot blank-pane
# How many pixels of the picture's place differ from the blank pane.
changed() {
  convert "$shots/$1.png" "$shots/blank-pane.png" -crop "$(area)" +repage -compose difference -composite \
    -colorspace gray -threshold 0 -format '%[fx:int(mean * w * h + 0.5)]' info:
}
drawn() { [ "$(changed "$1")" -gt $((156 * 116 * 3 / 10)) ]; }
check "no file previewed before the first click" caption_is ""
check "and the pane blank, one colour" test "$(convert "$shots/blank-pane.png" -crop "$(area)" -format %k info:)" = 1
shown="" seen=""
for i in $(seq "$files"); do
  if [ "$i" = 1 ]; then xdotool mousemove $(file_row_point 0) click 1; else xdotool key Down; fi
  poll 10 caption_other_than "$shown" || true
  shown=$(caption)
  seen+="$shown"$'\n'
  shot_until "set-$i" 5 drawn "set-$i" || true
  check "${shown#Tarnik Lumeno - } previews, drawn over the pane" drawn "set-$i"
  check "without an error box" class_gone "#32770"
done
check "each of the $files files in turn" test "$(sort -u <<<"$seen" | grep -c .)" = "$files"
# Down on the last file changes nothing.
xdotool key Down
check "Down on the last file keeps it" holds 6 caption_is "$shown"
xdotool key alt+F4
wait_for 10 window_gone "$shown" || true
finish
