#!/usr/bin/env bash
# Every user action of the program, with real X input against the program
# started the README's way. Each row of user_actions.table is something done
# and the visible effect that must follow; the rows run in order against one
# running program in a folder of pictures on drive C:. The words the rows use
# are defined here, and how a row runs at the end.
source "$(dirname "$0")/lib.sh"
table=$root/tests/e2e/user_actions.table

# --- The main window's layout, in its client coordinates -------------------
# From its layout table: the lists' first rows, inside the borders, and the
# middles of the tool buttons and the selectors.
read -r l t _ < <(okno_box files)
file_row_x=$((l + 52)) file_row_y=$((t + 2))
read -r l t _ < <(okno_box Dir)
folder_row_x=$((l + 92)) folder_row_y=$((t + 2))
declare -A tool
for b in open:SpeedButton1 properties:SpeedButton2 new_folder:SpeedButton5 rename:SpeedButton4 delete:SpeedButton3; do
  read -r "tool[${b%%:*}]" tool_y < <(okno_middle "${b#*:}")
done
declare -A combo=([drive]=1 [filter]=2) combo_x combo_y
read -r "combo_x[drive]" "combo_y[drive]" < <(okno_middle disk)
read -r "combo_x[filter]" "combo_y[filter]" < <(okno_middle filter)
arrow_inset=8                # a scroll arrow's middle, in from the bar's end
pane_border=2                # the preview panel's sunken border
caption_x=300 caption_y=-30  # on the caption bar, above the menu bar
read -r l t _ < <(okno_box Label1)
rest_x=$((l + 12)) rest_y=$((t + 7))  # on the filter's label, clear of both dropped lists
desktop_x=5 desktop_y=5      # on the desktop, in screen coordinates

# --- The folder: pictures of every kind, as many of each kind as the filter
# row that lists them: icons 1, metafiles 2, JPEG 3, placeable WMF 4, bitmaps 5.
# Their names sort the same in every locale.
one_bit_bmp() {  # width, height, file
  local w=$1 h=$2 stride=$((($1 + 31) / 32 * 4))
  le() { local i; for ((i = 0; i < $2; i++)); do printf "\\x$(printf %02x $((($1 >> (8 * i)) & 255)))"; done; }
  { printf BM; le $((62 + stride * h)) 4; le 0 4; le 62 4
    le 40 4; le "$w" 4; le "$h" 4; le 1 2; le 1 2; le 0 4; le $((stride * h)) 4; le 2835 4; le 2835 4; le 2 4; le 0 4
    le $((0x306090)) 4; le $((0xffffff)) 4
    head -c $((stride * h)) /dev/zero; } >"$3"
}
fill_folder() {
  local s=$build/samples w
  rm -f "$work_dir"/*
  cp "$s/kresba.emf" auto.emf; cp "$s/kresba.emf" brana.emf; cp "$s/ikona.ico" dom.ico
  cp "$s/velka fotka.jpg" fotka.jpg; cp "$s/krajina.jpg" gula.jpg; cp "$s/sive.jpg" hora.jpg
  for w in jama kopec lipa more; do cp "$s/klipart.wmf" "$w.wmf"; done
  cp "$s/male.bmp" nebo.bmp; cp "$s/obrazok.bmp" obrazok.bmp
  convert -size 800x300 xc:'#c03020' -size 800x300 xc:'#2040c0' +append -type TrueColor BMP3:panorama.bmp
  convert -size 400x400 xc: -fx '(floor(i/8)+floor(j/8))%2' -type TrueColor BMP3:sachovnica.bmp  # 8-pixel squares
  one_bit_bmp 600000 2 siroky.bmp  # a horizontal range above 65535 positions
  echo "nie obrázok" >poznamky.txt
  # A folder and files named in scripts Windows-1250 cannot hold.
  mkdir скрипты
  cp "$s/male.bmp" скрипты/фото.bmp; cp "$s/krajina.jpg" скрипты/Ωμέγα.jpg
  cp "$s/obrazok.bmp" скрипты/写真.bmp; cp "$s/male.bmp" "скрипты/smile 😀.bmp"
}

# The web command's browser: Wine's hands the address to the program the
# prefix names, here one that notes it.
use_noting_browser() {
  noted=$build/e2e-browser-$$.txt browser=$build/e2e-browser-$$.sh
  printf '#!/bin/sh\necho "$1" >>"%s"\n' "$noted" >"$browser"
  chmod +x "$browser"
  wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$browser" /f >/dev/null 2>&1
}
forget_noting_browser() {
  wine reg delete 'HKCU\Software\Wine\WineBrowser' /v Browsers /f >/dev/null 2>&1 || true
  rm -f "$noted" "$browser"
}

# --- What the rows do ------------------------------------------------------
start() { start_lumeno; }
at() { xdotool mousemove $((ox + $1)) $((oy + $2)); }
click() { at "$1" "$2"; xdotool click 1; }
double() { at "$1" "$2"; xdotool click --repeat 2 --delay 80 1; }
key() { xdotool key --delay 30 "$@"; }
write() { xdotool type --delay 20 "$1"; }
# Text in any script: xdotool cannot type it into Wine, so it goes on the X
# clipboard and a real Ctrl+V pastes it once Wine's clipboard holds it.
paste_text() { printf %s "$1" | xclip -selection clipboard && poll 5 clipboard_text "$1" && key ctrl+v; }
file_row() {  # 0-based row of a file in the list under the first filter row
  ls | grep -iE '\.(jpe?g|bmp|ico|emf|wmf)$' | LC_ALL=C sort | grep -nxF -- "$1" | { IFS=: read -r n _ && echo $((n - 1)); }
}
on_file() { local r; r=$(file_row "$1") && "$2" "$file_row_x" $((file_row_y + r * row_height + row_height / 2)); }
click_file() { on_file "$1" click; }
# A file's row in the folder of other scripts, in the order of the system's
# wide comparison (Latin, Greek, Cyrillic, CJK); its own rows are drawn, not
# kept as texts, so each check reads the name back from the caption.
named_row() { tr '|' '\n' <<<"$script_rows" | grep -nxF -- "$1" | { IFS=: read -r n _ && echo $((n - 1)); }; }
on_named() { local r; r=$(named_row "$1") && "$2" "$file_row_x" $((file_row_y + r * row_height + row_height / 2)); }
click_named() { on_named "$1" click; }
double_named() { on_named "$1" double; }
double_file() { on_file "$1" double; }
folder_row() { rows_of ListBox 1 | awk -F'|' -v t="$1" '$3 == t {print $2; exit}'; }
on_folder() { local r; r=$(folder_row "$1") && "$2" "$folder_row_x" $((folder_row_y + r * row_height + row_height / 2)); }
double_folder() { on_folder "$1" double; }
click_folder() { on_folder "$1" click; }
click_tool() { click "${tool[$1]}" "$tool_y"; }
hover_tool() { at "${tool[$1]}" "$tool_y"; }
hover_caption() { at "$caption_x" "$caption_y"; }
hover_desktop() { xdotool mousemove "$desktop_x" "$desktop_y"; }
wait_up() { poll 10 is_up "$@"; }
# A click on the right (h) or bottom (v) arrow of the preview's scroll bars.
bar_arrow() {
  local n=1 l t w h; [ "$1" = v ] && n=2
  read -r l t w h < <(control ScrollBar $n | cut -d'|' -f2)
  if [ "$1" = h ]; then click $((l + w - arrow_inset)) $((t + h / 2)); else click $((l + w / 2)) $((t + h - arrow_inset)); fi
}
# Picks a row of a selector (drive or filter): by "mouse" (a click drops the
# list, a click on the row), by "keys" (F4 drops the list of the selector that
# has the focus, arrows to the row, Enter), by "arrows" on the closed selector
# that has the focus. The row is its index, or for the drive selector the
# drive's letter.
pick() {  # way, selector, row
  local n=${combo[$2]} row=$3 state box now item left top
  state=$(main_rows)
  box=$(control ComboBox "$n" "$state")
  [[ $row == [a-z] ]] && row=$(rows_of ComboBox "$n" "$state" | awk -F'|' -v l="$row" 'substr($3, 1, 1) == l {print $2; exit}')
  now=$(sed 's/.*|rows [0-9]* sel \(-*[0-9]*\) .*/\1/' <<<"$box")
  item=$(sed 's/.* item \([0-9]*\)|.*/\1/' <<<"$box")
  # A dropped list under the pointer would follow it.
  [ "$1" = mouse ] || at "$rest_x" "$rest_y"
  if [ "$1" != arrows ]; then drop "$2" "$1" || return 1; fi
  if [ "$1" = mouse ]; then
    read -r left top _ < <(top_windows | awk -F'|' '$1 == "ComboLBox" {print $3}')
    xdotool mousemove $((left + 30)) $((top + 1 + row * item + item / 2)) click 1
    return
  fi
  for ((; now < row; now++)); do key Down; done
  for ((; now > row; now--)); do key Up; done
  [ "$1" = keys ] && key Return
  return 0
}
drop() {  # selector, "mouse" or "keys"
  if [ "${2:-mouse}" = mouse ]; then click "${combo_x[$1]}" "${combo_y[$1]}"; else at "$rest_x" "$rest_y"; key F4; fi
  poll 5 class_up ComboLBox
}
# The JPEG without its quantisation tables: its header reads, its pixels do not decode.
no_quant_tables() {
  python3 -c 'import sys; f = sys.argv[1]; b = open(f, "rb").read(); i = 2; o = b[:2]
while b[i + 1] != 0xDA: n = 2 + int.from_bytes(b[i + 2:i + 4], "big"); o += b[i:i + n] * (b[i + 1] != 0xDB); i += n
open(f, "wb").write(o + b[i:])' "$1"
}
drag() { xdotool mousemove "$1" "$2" mousedown 1 mousemove "$3" "$4" mouseup 1; }
# The keys sent so far reached the active window: Alt+Space after them opens
# its system menu (the owner it is modal to takes no input); two Escs close
# it and end the menu mode.
reached() { key alt+space && poll 5 menus_open 1 && key Escape Escape && poll 5 menus_closed; }

# --- What the rows check ---------------------------------------------------
main_state() { window_state "-c Lumeno.Form"; }
main_rows() { window_state "-rows -c Lumeno.Form"; }
# The n-th control of a class, and its "row|I|TEXT" lines, from the main
# window's state given or asked for.
control() { awk -F'|' -v c="$1" -v n="$2" '$1 == c && ++k == n {print; exit}' <<<"${3-$(main_state)}"; }
rows_of() {
  awk -F'|' -v c="$1" -v n="$2" '$1 != "row" {on = ($1 == c && ++k == n); next} on' <<<"${3-$(main_rows)}"
}
placed() { control "$1" "$2" | grep -q "|$3|"; }
text_of() { control "$1" "$2" "${3-$(main_state)}" | cut -d'|' -f5-; }
caption() { is_up "$1" Lumeno.Form; }
file_rows() { control ListBox 2 "${2-$(main_state)}" | grep -q "|rows $1 sel "; }
label_is() { [ "$(text_of Lumeno.Label 1 "${2-$(main_state)}")" = "$1" ]; }
status_is() { [ "$(text_of msctls_statusbar32 1)" = "$1" ]; }
tooltip() { is_up "$1" tooltips_class32; }
# Folder list, path label and file list on drive $1's root.
on_drive() {
  local root="${1^^}:\\" state
  state=$(main_rows)
  label_is "$root" "$state" &&
    [ "$(rows_of ListBox 1 "$state" | awk -F'|' '$2 == 0 {print $3}')" = "$root" ] &&
    file_rows "$(ls "$(drive_folder "$1")" 2>/dev/null | grep -ciE '\.(jpe?g|bmp|ico|emf|wmf)$')" "$state"
}
drive_folder() { [ "$1" = z ] && echo / || echo "$WINEPREFIX/dosdevices/$1:/"; }
in_work_folder() { local state; state=$(main_state); label_is "$work_win" "$state" && file_rows 15 "$state"; }
# The file list's rows, and the folder's entries on disk, as sets ("a|b|c").
as_set() { tr '|' '\n' | LC_ALL=C sort | paste -sd'|'; }
disk_is() { [ "$(ls -A "$1" | paste -sd'|' | as_set)" = "$(as_set <<<"$2")" ]; }
bars() { [ "$(main_state | awk -F'|' '$1 == "ScrollBar" {printf "%s", $3}')" = "$1$2" ]; }
bar_at() { local n=1; [ "$1" = v ] && n=2; control ScrollBar $n | grep -q "|pos $2|"; }
# The notice box on top, and how many show: they carry the main window's title.
notice() { echo "-top $(main_state | head -1 | cut -d'|' -f4)"; }
notices() { [ "$(count_up "$(main_state | head -1 | cut -d'|' -f4)")" -eq $(($1 + 1)) ]; }
main_only() { [ "$(top_windows | grep -cvE '^(Shell_TrayWnd|tooltips_class32)\|')" -eq 1 ]; }
dialog_field() { [ "$(window_state "$1" | awk -F'|' -v n="$2" '$1 == "Edit" && ++k == n {print $5}')" = "$3" ]; }
shows_text() { window_state "$1" | cut -d'|' -f5- | grep -qxF -- "$2"; }
noted() { [ -f "$noted" ] && [ "$(grep -cxF "http://www.korvel.sk/" "$noted")" -eq "$1" ]; }
taskbar() { if [ "$1" = shown ]; then class_up Shell_TrayWnd; else class_gone Shell_TrayWnd; fi; }
# The colour of the preview's picture 4 pixels in from the pane's top left,
# or at its middle.
pane_at() {
  local l t w h
  read -r l t w h < <(control Lumeno.Panel 1 | cut -d'|' -f2)
  shot matrix-pane
  if [ "$1" = middle ]; then pixel matrix-pane $((ox + l + w / 2)) $((oy + t + h / 2))
  else pixel matrix-pane $((ox + l + pane_border + 4)) $((oy + t + pane_border + 4)); fi
}
pane_is() { [ "$(pane_at "$1")" = "$2" ]; }
reddish() { IFS=, read -r r g b <<<"$(pane_at middle)"; [ "$r" -gt 150 ] && [ "$g" -lt 110 ] && [ "$b" -lt 110 ]; }
greenish() { IFS=, read -r r g b <<<"$(pane_at middle)"; [ "$g" -gt 150 ] && [ "$r" -lt 90 ] && [ "$b" -lt 110 ]; }
not_greenish() { ! greenish; }
screen_green() { shot matrix-screen; IFS=, read -r r g b <<<"$(pixel matrix-screen "$1" "$2")"; [ "$g" -gt 150 ] && [ "$r" -lt 90 ] && [ "$b" -lt 110 ]; }
# The text of the error box on top.
error_text() { window_state "-c #32770" | awk -F'|' '$1 == "Static" && $5 != "" {t = $5} END {print t}'; }
screen_is() { shot matrix-screen; [ "$(pixel matrix-screen "$1" "$2")" = "$3" ]; }

# --- Pictures added late, and the activation of windows ---------------------
# After the rows that count the files: an icon whose one image is a PNG (a green disc, transparent
# around it), an empty JPEG, a JPEG wider than the screen but not taller, red left of its middle.
add_late_pictures() {
  convert -size 256x256 xc:none -fill '#20a040' -draw 'circle 128,128 128,24' -define icon:auto-resize=256 erb.ico &&
    : >prazdna.jpg && convert -size 800x600 xc:'#c03020' -size 800x600 xc:'#2040c0' +append siroka.jpg
}
picture_files() { ls | grep -ciE '\.(jpe?g|bmp|ico|emf|wmf)$'; }
main_active() { local t r; read -r _ t r _ < <(main_state | head -1 | cut -d'|' -f2); screen_is $((r - 100)) $((t + 10)) 50,150,250; }  # its caption's colour
# The wide JPEG's red-blue edge is at x on the screen: the full-screen viewer in front.
red_less_blue() { pixel matrix-screen "$1" 384 | awk -F, '{print $1 - $3}'; }
edge_at() { shot matrix-screen; [ "$(red_less_blue $(($1 - 6)))" -gt 100 ] && [ "$(red_less_blue $(($1 + 6)))" -lt -100 ]; }
# n times: a drag moves the picture off centre, then Enter twice quickly closes the viewer and opens
# it again, centred in front. in_front counts the times it came back.
in_front=0
twice_quickly() {
  local i to=712
  for ((in_front = 0, i = 0; i < $1; i++, to = 1024 - to)); do
    drag 512 384 $to 384 && poll 5 edge_at $to && key Return Return && poll 10 edge_at 512 || return 1
    in_front=$((in_front + 1))
  done
}

# --- How a row runs (the table's head says the same) -------------------------
# "what | action | effect". The action's steps are separated by "; " and each
# must succeed; steps before " :: " set the row up. The effect must not hold
# before the action, and is polled for after it. An effect "holds N CHECK" is
# a row where nothing may happen: CHECK holds before the action and for N
# tenths of a second after it, and the action's last steps show that it took
# place.
steps() { eval "$(sed 's/; / \&\& /g' <<<"$1")"; }
run_row() {  # action, effect; says why in `why`
  local setup="" act=$1 effect=$2 keep
  if [[ $act == *" :: "* ]]; then setup=${act%% :: *} act=${act#* :: }; fi
  why="its set-up failed"
  [ -z "$setup" ] || steps "$setup" || return 1
  if [[ $effect == "holds "* ]]; then
    keep=${effect#holds } keep=${keep#* }
    why="it did not hold before the action"
    eval "$keep" || return 1
  else
    why="it held before the action"
    ! eval "$effect" || return 1
  fi
  why="a step of the action failed"
  steps "$act" || return 1
  why="the effect did not follow"
  if [[ $effect == "holds "* ]]; then eval "$effect"; else poll 10 eval "$effect"; fi
}

# --- The run -----------------------------------------------------------------
work_folder_on_c
cd "$work_dir"
fill_folder
use_noting_browser
trap 'forget_noting_browser; stop_xvfb; rm -rf "$work_dir"' EXIT
# The desktop and its state server first: the first row starts the program.
serve_desktop_state
work_name=$(basename "$work_dir")

started=$SECONDS row=0
while IFS= read -r line <&3; do
  [[ -z $line || $line == \#* ]] && continue
  what=${line%% | *} rest=${line#* | }
  action=${rest%% | *} effect=${rest#* | }
  row=$((row + 1))
  before=$failures
  check "$row $what" run_row "$action" "$effect" </dev/null
  [ "$failures" -eq "$before" ] && continue
  echo "    $why"
  shot "matrix-failed-$row"
  { top_windows; main_state | grep -vE '^Lumeno\.(SpeedButton|ToolBar|Image)'; } | sed 's/^/    /'
done 3<"$table"
echo "$row rows in $((SECONDS - started)) s"
finish
