# Sourced by the end-to-end scenarios: the real program in Wine's virtual
# desktop on a private virtual X server, driven with real X input.
# Needs $1 = the build folder.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "$1" && pwd)
source "$root/scripts/env.sh"
source "$root/scripts/xvfb.sh"
source "$root/scripts/launch.sh"
shots=$build/e2e-shots/${LUMENO_PROGRAM:-winelib}
mkdir -p "$shots"
failures=0
checks=0

start_xvfb

# A fresh copy of the sample pictures to work in.
work_folder() {
  local dir
  dir=$(mktemp -d "$build/e2e-XXXXXX")
  cp "$build"/samples/*.* "$dir"/
  echo "$dir"
}

shot() { import -window root "$shots/$1.png"; }

# "r,g,b" of the screen pixel at x, y of the last screenshot named $1.
pixel() {
  convert "$shots/$1.png" -format '%[fx:int(255*p{'"$2"','"$3"'}.r)],%[fx:int(255*p{'"$2"','"$3"'}.g)],%[fx:int(255*p{'"$2"','"$3"'}.b)]' info:
}

# A window's client origin on the screen: "x y".
client_origin() { wininfo "$@" | awk '{print $6, $7}'; }
# Starts the program (scripts/launch.sh) and the desktop_state server; sets
# ox, oy (the main window's client origin) and row_height (the file list's
# rows, as high as the folder list's).
start_lumeno() {
  launch_lumeno
  read -r ox oy < <(client_origin "Korvel Lumeno")
  [ -n "${state_in:-}" ] || serve_desktop_state
  row_height=$(window_state "-c Lumeno.Form" | awk -F'|' '$1 == "ListBox" && ++n == 2 {sub(/.* item /, "", $4); print $4}')
  [ -n "$row_height" ]
}

check() {  # description, then a command that must succeed
  local what=$1; shift
  checks=$((checks + 1))
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

# A window by its title, or by its class after -c.
window_visible() { if [ "$1" = -c ]; then class_up "$2"; else is_up "$1"; fi; }
window_gone() { if [ "$1" = -c ]; then class_gone "$2"; else is_gone "$1"; fi; }

finish() {
  echo "$((checks - failures)) passed, $failures failed"
  [ "$failures" -eq 0 ]
}

# A fresh copy of the sample pictures in a folder at the top of drive C:, so
# the folder list shows it as row 1 (below "C:\") whatever the checkout's
# path. Sets work_dir (the Linux path) and work_win (its Windows path), and
# removes the folder when the script ends.
work_folder_on_c() {
  if [ ! -d "$WINEPREFIX/drive_c" ]; then
    echo "no Wine prefix in $build: run scripts/setup.sh $build" >&2
    return 1
  fi
  work_dir=$(mktemp -d "$WINEPREFIX/drive_c/e2e-XXXXXX")
  work_win="C:\\$(basename "$work_dir")"
  cp "$build"/samples/*.* "$work_dir"/
  trap 'stop_xvfb; rm -rf "$work_dir"' EXIT
}

# Runs a helper program of the build inside the desktop; it reads texts wide
# and writes them in UTF-8.
desktop_tool() {
  local tool=$1; shift
  wine explorer /desktop=shell,1024x768 "$build/$tool.exe.so" "$@" 2>/dev/null | tr -d '\r'
}
# "CLASS|TEXT" of a top-level window (TITLE or -c CLASS) and of its children.
window_texts() { desktop_tool window_texts "$@"; }
# What the clipboard holds, one format a line; fails when the tool did not
# answer (it ends its answer with ".").
clipboard_formats() {
  local out
  out=$(desktop_tool clipboard_formats)
  [ "$(tail -n 1 <<<"$out")" = . ] && sed '$d' <<<"$out"
}
clipboard_has() { clipboard_formats | grep -qx -- "$1"; }  # a whole line, as a pattern
clipboard_text() { clipboard_formats | grep -qxF -- "13 text $1"; }
clipboard_empty() { local out; out=$(clipboard_formats) && [ -z "$out" ]; }
# Whether a window (or one of its children) has exactly this text.
has_text() {  # text, then the window as for window_texts
  local text=$1; shift
  window_texts "$@" | cut -d'|' -f2- | grep -qxF -- "$text"
}

# The program's layout tables, printed by a tool built from its headers.
layouts=$(wine "$build/layout_tables.exe.so" 2>/dev/null | tr -d '\r')
[ -n "$layouts" ] || { echo "tools/layout_tables printed nothing" >&2; exit 1; }
# The box of a control in the layout table of window $1 (its first entry's
# name: Okno, NewDir, Premenuj, ...): "left top width height" in its parent's
# client area.
layout_box() {
  awk -v w="$1" -v c="$2" '$1 == w && $2 == c {print $3, $4, $5, $6; f = 1} END {exit !f}' <<<"$layouts"
}
# The same for the main window's controls.
okno_box() { layout_box Okno "$1"; }
# Its middle, "x y" in the client area.
okno_middle() {
  local l t w h
  read -r l t w h < <(okno_box "$1")
  echo $((l + w / 2)) $((t + h / 2))
}
# Row $1 of the file list, a little in from its left, in screen coordinates
# (after start_lumeno).
file_row_point() {
  local l t w h
  read -r l t w h < <(okno_box files)
  echo $((ox + l + 52)) $((oy + t + 2 + $1 * row_height + row_height / 2))
}

# The point a preview panel smaller than the pane is centred on.
read -r pane_cx pane_cy _ < <(okno_box PreviewCentre)

# Clicks row $1 of the main window's file list and checks that the caption
# then names the file $2. Sets main_title.
select_file() {
  xdotool mousemove $(file_row_point "$1") click 1
  main_title="Tarnik Lumeno - $2"
  check "the caption names $2" wait_for 10 window_visible "$main_title"
}

wait_for() { poll "$@"; }  # seconds, then a command; polls until it succeeds

# A screenshot taken once the screen has stopped changing (at most 5 s).
stable_shot() {
  local out="$shots/$1.png" last="$shots/$1.last.png" i
  import -window root "$out"
  for i in $(seq 25); do
    sleep 0.2
    mv "$out" "$last"
    import -window root "$out"
    [ "$(compare -metric AE "$last" "$out" null: 2>&1)" = 0 ] && break
  done
  rm -f "$last"
}

# Screenshots named $1 until a command (that looks at it) succeeds, for at
# most $2 seconds; the last one stays either way.
shot_until() {
  local name=$1 tries=$(($2 * 4)) i; shift 2
  for i in $(seq "$tries"); do
    shot "$name"
    "$@" && return 0
    sleep 0.25
  done
  return 1
}

# How many pixels of a screen rectangle of screenshot $1 meet a condition on
# r, g and b (0..255), e.g. 'r > 200 && g < 100'.
count_pixels() {  # shot, x, y, width, height, condition
  convert "$shots/$1.png" -crop "$4x$5+$2+$3" +repage -depth 8 txt:- |
    sed -n 's/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' |
    awk "{ r = \$1; g = \$2; b = \$3; if ($6) n++ } END { print n + 0 }"
}
some_pixels() { [ "$(count_pixels "$@")" -gt 0 ]; }
no_pixels() { [ "$(count_pixels "$@")" -eq 0 ]; }
is_green() { IFS=, read -r r g b <<<"$1"; [ "$r" -lt 90 ] && [ "$g" -gt 130 ] && [ "$b" -lt 120 ]; }

# A shown scroll bar of the preview draws its arrows in dark grey: the
# vertical bar's top arrow and the horizontal bar's left one, just in from
# the bars' starts, in screenshot $1 (after start_lumeno).
arrow_at() { some_pixels "$1" $((ox + $2 + 2)) $((oy + $3 + 2)) 12 12 'r < 90 && r == g && g == b'; }
read -r vbar_l vbar_t _ < <(okno_box HornyPosuvak)
read -r hbar_l hbar_t _ < <(okno_box DolnyPosuvak)
both_bars() { arrow_at "$1" "$vbar_l" "$vbar_t" && arrow_at "$1" "$hbar_l" "$hbar_t"; }
no_bar() { ! arrow_at "$1" "$vbar_l" "$vbar_t" && ! arrow_at "$1" "$hbar_l" "$hbar_t"; }

# --- Windows and controls of the desktop, for polled checks -----------------
# (tools/desktop_state.cpp). A window is named by its title or by "-c CLASS";
# the bottom-most visible one is meant, so a main window is found below the
# boxes it owns even when they share its title and class; "-top TITLE" names
# the top-most one.

# One desktop_state program answers every question once this has started it
# (from the script's own shell, after the desktop exists): a Wine program
# started per question would cost half a second each.
serve_desktop_state() {
  local pipes
  pipes=$(mktemp -d "$build/e2e-state-XXXXXX")
  mkfifo "$pipes/in" "$pipes/out"
  wine explorer /desktop=shell,1024x768 "$build/desktop_state.exe.so" --serve <"$pipes/in" >"$pipes/out" 2>/dev/null &
  exec {state_in}>"$pipes/in" {state_out}<"$pipes/out"
  rm -rf "$pipes"
}
# Fails when the tool did not answer: every answer ends with a line ".".
desktop_state() {  # the arguments as one line; empty for the top-level windows
  if [ -z "${state_in:-}" ]; then
    local out
    out=$(printf '%s\n' "$1" | desktop_tool desktop_state --serve)
    [ "$(tail -n 1 <<<"$out")" = . ] && sed '$d' <<<"$out"
    return
  fi
  printf '%s\n' "$1" >&"$state_in"
  # The whole answer is read first: a reader that stops early must not leave
  # its end for the next question.
  local line answer=""
  while IFS= read -r -t 20 line <&"$state_out"; do
    line=${line%$'\r'}
    if [ "$line" = . ]; then
      printf '%s' "$answer"
      return
    fi
    answer+=$line$'\n'
  done
  return 1
}
# Every visible top-level window, one a line: "CLASS|TITLE|left top right bottom".
top_windows() { desktop_state ""; }
# "window|left top right bottom|clientX clientY|TITLE", then its controls.
window_state() { desktop_state "$1"; }
# Whether a visible top-level window has the title (and the class, when
# given), or the class. Each fails, the *_gone ones too, when the tool did not
# answer.
titled() { awk -F'|' -v t="$1" -v c="${2:-}" '$2 == t && (c == "" || $1 == c) {f = 1} END {exit !f}'; }
of_class() { awk -F'|' -v c="$1" '$1 == c {f = 1} END {exit !f}'; }
is_up() { top_windows | titled "$@"; }
is_gone() { local all; all=$(top_windows) && ! titled "$@" <<<"$all"; }
class_up() { top_windows | of_class "$1"; }
class_gone() { local all; all=$(top_windows) && ! of_class "$1" <<<"$all"; }
count_up() { top_windows | awk -F'|' -v t="$1" '$2 == t {n++} END {print n + 0}'; }
# Whether the program's process runs, or has ended (each fails when the tool
# did not answer).
running() { local all; all=$(desktop_state "-process lumeno.exe") && [ -n "$all" ]; }
ended() { local all; all=$(desktop_state "-process lumeno.exe") && [ -z "$all" ]; }

# Polls a check every tenth of a second until it succeeds, for at most $1
# seconds.
poll() {
  local end=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -ge "$end" ] && return 1
    sleep 0.1
  done
}
# A check that keeps holding for $1 tenths of a second: how a script sees that
# something does not happen.
holds() {
  local end=$(($(date +%s%N) / 100000000 + $1))
  shift
  while "$@"; do
    [ $(($(date +%s%N) / 100000000)) -ge "$end" ] && return 0
    sleep 0.1
  done
  return 1
}

# Clicks the middle of a window's control: the one that shows the text (a
# button's caption, a label's text), or the n-th of a class ("#2 Edit").
click_control() {  # window, text or "#N CLASS"
  local state
  state=$(window_state "$1") || return 1
  awk -F'|' -v t="$2" '
    NR == 1 { split($3, o, " "); if (t ~ /^#[0-9]+ /) { n = substr(t, 2, index(t, " ") - 2); c = substr(t, index(t, " ") + 1) } }
    NR > 1 && $1 != "row" && (c != "" ? $1 == c && ++k == n : $5 == t) {
      split($2, b, " "); print o[1] + b[1] + int(b[3] / 2), o[2] + b[2] + int(b[4] / 2); exit
    }
  ' <<<"$state" | { read -r x y && xdotool mousemove "$x" "$y" click 1; }
}
# The close box of a window's caption.
close_box() {
  local l t r b
  read -r l t r b < <(window_state "$1" | sed -n '1s/^window|\([^|]*\)|.*/\1/p') || return 1
  xdotool mousemove $((r - 12)) $((t + 10)) click 1
}

# A menu command chosen with the keys: Alt, Right to the top menu (0 is the
# first), Down to open it, Down to the item (0 is the first), and for an item
# with a submenu Right and Down to the submenu's item; then Enter. Each menu
# has to show before the keys for it go.
menus_open() { [ "$(top_windows | grep -c '^#32768|')" -ge "$1" ]; }
menus_closed() { local all; all=$(top_windows) && ! grep -q '^#32768|' <<<"$all"; }
menu_open() {  # top menu, [item]
  local i
  xdotool key alt
  for ((i = 0; i < $1; i++)); do xdotool key Right; done
  xdotool key Down
  poll 5 menus_open 1 || return 1
  for ((i = 0; i < ${2:-0}; i++)); do xdotool key Down; done
}
menu() {  # top menu, item, [submenu item]
  local i
  menu_open "$1" "$2" || return 1
  if [ $# -gt 2 ]; then
    xdotool key Right
    poll 5 menus_open 2 || return 1
    for ((i = 0; i < $3; i++)); do xdotool key Down; done
  fi
  xdotool key Return
}
