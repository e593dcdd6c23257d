#!/usr/bin/env bash
# Idempotent machine set-up: Debian packages, the Slovak locale, and the Wine
# prefix inside the build folder. usage: scripts/setup.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
packages=(cmake make g++ wine wine64 wine64-tools libwine-dev libjpeg62-turbo-dev
  libjpeg-turbo-progs doctest-dev xvfb xauth imagemagick xdotool locales
  g++-mingw-w64-x86-64-posix nasm dpkg-dev debian-archive-keyring file clang libclang-rt-14-dev
  fonts-urw-base35 python3-fonttools fonts-dejavu-core fonts-droid-fallback xclip)

# The benchmarks drive the screen with real X input and watch it redraw.
packages+=(libxtst-dev libxdamage-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qi '^sk_SK\.utf8$'; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo sed -i 's/^# *sk_SK.UTF-8 UTF-8/sk_SK.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^sk_SK.UTF-8 UTF-8' /etc/locale.gen || echo 'sk_SK.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi

# Wine wants the prefix as an absolute path.
mkdir -p "$build"
build=$(cd "$build" && pwd)
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all LANG=sk_SK.UTF-8
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
# Wine's own fonts (Marlett for the caption buttons, MS Sans Serif, Tahoma)
# are not found in its data folder here: give the prefix a copy.
fonts=$WINEPREFIX/drive_c/windows/Fonts
if [ -d /usr/share/wine/fonts ] && [ ! -f "$fonts/marlett.ttf" ]; then
  mkdir -p "$fonts"
  cp -n /usr/share/wine/fonts/* "$fonts/"
fi
# Metafiles from Windows write Greek letters and signs in "Symbol" by its
# own character codes: give the prefix a free stand-in with that encoding
# in place of Wine's own, which maps them by Unicode.
if [ ! -f "$fonts/symbol.otf" ]; then
  mkdir -p "$fonts"
  /usr/bin/python3 "$root/tools/make_symbol_font.py" "$fonts/symbol.otf"
  rm -f "$fonts/symbol.ttf"
fi
# Names in other scripts: the forms' bitmap face and the captions' faces fall
# back, glyph by glyph, to free faces that hold Greek, Cyrillic and CJK; text
# the faces hold themselves stays as it was. Wine looks a link up by the
# face's full name ("MS Sans Serif Regular" for the bitmap face).
links='DejaVuSans.ttf,DejaVu Sans\0DroidSansFallbackFull.ttf,Droid Sans Fallback'
for face in "MS Sans Serif" "MS Sans Serif Regular" Tahoma "Tahoma Bold"; do
  grep -qF "\"$face\"=str(7):\"DejaVuSans.ttf" "$WINEPREFIX/system.reg" && continue
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v "$face" /t REG_MULTI_SZ /d "$links" /f >/dev/null 2>&1
  wineserver -w
done
