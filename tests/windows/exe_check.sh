#!/usr/bin/env bash
# lumeno.exe is what a 64-bit Windows user can start as it is: a PE32+ GUI
# program that imports nothing but the system's own DLLs, says what it is
# and which commit it comes from, asks Windows for nothing beyond the
# user's rights, and is the same bytes when built again elsewhere.
# usage: exe_check.sh WINDOWS_BUILD_DIR
set -uo pipefail
dir=$1
exe=$dir/lumeno.exe
root=$(cd "$(dirname "$0")/../.." && pwd)
system_dlls='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|mpr|winspool\.drv|advapi32|ole32|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+)(\.dll)?$'
failed=0
fail() { echo "FAILED: $*"; failed=1; }
kind=$(file -b "$exe")
echo "file: $kind"
case $kind in
"PE32+ executable (GUI) x86-64"*) ;;
*) fail "not a PE32+ GUI program for x86-64" ;;
esac
[[ "$(x86_64-w64-mingw32-objdump -p "$exe")" == *$'MajorImageVersion\t1\nMinorImageVersion\t0'* ]] ||
  fail "image version in the PE header is not 1.0"
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$dlls" ] || fail "no imports found"
for dll in $dlls; do
  if [[ $dll =~ $system_dlls ]]; then echo "imports $dll"; else fail "imports $dll"; fi
done

# The resources as the system reads them, decompiled from the program.
rc=$(x86_64-w64-mingw32-windres -J coff -O rc -i "$exe")
commit=$(git -C "$root" rev-parse --short=12 HEAD 2>/dev/null || echo unknown)
for value in '"CompanyName", "Korvel software"' '"ProductName", "Korvel Lumeno"' \
  '"OriginalFilename", "lumeno.exe"' "\"ProductVersion\", \"[0-9]+\.[0-9]+\.[0-9]+\+$commit(-dirty)?\"" \
  '"Translation", 0x41b, 1250'; do
  grep -Eq "VALUE $value" <<<"$rc" && echo "version: $value" || fail "version: no $value"
done
# FILEVERSION 1, 0, 0, 0 and "FileVersion", "1.0.0" say the same.
numbers=$(sed -n 's/^ *FILEVERSION \([0-9]*\), \([0-9]*\), \([0-9]*\), 0$/\1.\2.\3/p' <<<"$rc")
grep -q "VALUE \"FileVersion\", \"$numbers\"" <<<"$rc" || fail "file version ${numbers:-missing} differs"
# The manifest, resource 1 of type 24, as one line (windres splits it).
manifest=$(sed -n '/^1 24 /,/^END$/s/^ *"\(.*\)"$/\1/p' <<<"$rc" | sed 's/\\n$//' | tr -d '\n' | sed 's/""/"/g')
for id in 35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 \
  1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
  [[ $manifest == *"<supportedOS Id=\"{$id}\"/>"* ]] || fail "manifest: Windows $id not supported"
done
[[ $manifest == *'level="asInvoker" uiAccess="false"'* ]] || fail "manifest: not asInvoker"
# Today's look: no newer controls, no DPI settings (the system scales it).
[[ $manifest != *"<dependency"* && $manifest != *"<windowsSettings"* ]] || fail "manifest: changes the look"

# The notices carry libjpeg-turbo's licences as the source built in says them.
notices=$(cat "$root/windows/THIRD-PARTY-NOTICES.txt")
src=$dir/jpeg/src
ijg=$(sed -n '/^LEGAL ISSUES$/,/^REFERENCES$/p' "$src/README.ijg" | sed '1,3d;$d')
bsd=$(sed -n '/^The Modified (3-clause) BSD License$/,/^Why Three/p' "$src/LICENSE.md" | sed '1,3d;$d;s/<br>$//')
release=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Version)
[[ $notices == *"$ijg"* && $notices == *"$bsd"* ]] || fail "notices: not the licences of libjpeg-turbo $release"
[[ $notices == *"($release)"* ]] || fail "notices: not for libjpeg-turbo $release"

# A second build, from nothing in a folder of another name, gives the same
# bytes. Only the fetch of libjpeg-turbo's source is not repeated.
second=$(dirname "$dir")/second-windows-build
rm -rf "$second"
cmake -S "$root/windows" -B "$second" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DLUMENO_JPEG_SOURCE="$dir/jpeg/src" >/dev/null &&
  cmake --build "$second" -j"$(nproc)" >"$second.log" 2>&1 || fail "second build: see $second.log"
for file in lumeno.exe jpeg/prefix/lib/libjpeg.a; do
  cmp "$dir/$file" "$second/$file" && echo "built twice, the same: $file" || fail "built twice, differs: $file"
done
[ "$failed" = 1 ] || rm -rf "$second" "$second.log"
exit "$failed"
