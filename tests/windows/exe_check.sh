#!/usr/bin/env bash
# lumeno.exe is what a 64-bit Windows user can start as it is: a PE32+ GUI
# program that imports nothing but the system's own DLLs.
# usage: exe_check.sh lumeno.exe
set -uo pipefail
exe=$1
system_dlls='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|mpr|winspool\.drv|advapi32|ole32|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+)(\.dll)?$'
failed=0
kind=$(file -b "$exe")
echo "file: $kind"
case $kind in
"PE32+ executable (GUI) x86-64"*) ;;
*) echo "FAILED: not a PE32+ GUI program for x86-64"; failed=1 ;;
esac
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$dlls" ] || { echo "FAILED: no imports found"; failed=1; }
for dll in $dlls; do
  if [[ $dll =~ $system_dlls ]]; then echo "imports $dll"; else echo "FAILED: imports $dll"; failed=1; fi
done
exit "$failed"
