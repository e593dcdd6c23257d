#!/usr/bin/env bash
# Compiles every program source for Windows with MinGW-w64 (syntax and
# semantics only: there is no Windows build of libjpeg here to link with).
# usage: mingw-check.sh WORK_DIR   (the source list is WORK_DIR/../mingw_sources.txt)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$1
list=$(dirname "$work")/mingw_sources.txt
cxx=x86_64-w64-mingw32-g++-posix
mkdir -p "$work/include"
# The libjpeg headers, for the adapter's declarations only.
for h in /usr/include/jpeglib.h /usr/include/jmorecfg.h /usr/include/jerror.h \
         /usr/include/x86_64-linux-gnu/jconfig.h; do
  [ -f "$h" ] && cp -f "$h" "$work/include/"
done
failed=0 count=0
while read -r src; do
  [ -n "$src" ] || continue
  count=$((count + 1))
  if ! $cxx -std=c++17 -fsyntax-only -Wall -Wextra -Werror -fexec-charset=CP1250 \
       -DWIN32_LEAN_AND_MEAN -DNOMINMAX -I"$root" -I"$work/include" "$src"; then
    echo "FAILED: ${src#$root/}"
    failed=$((failed + 1))
  fi
done <"$list"
echo "MinGW-w64 compile check: $((count - failed)) passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$count" -gt 0 ]
