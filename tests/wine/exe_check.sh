#!/usr/bin/env bash
# Checks that pixolet.exe stands alone: it imports system DLLs only (no
# MinGW runtime DLL beside it) and is at most 1.5 MB. Prints its size and
# imports.
set -euo pipefail
exe=${1:?usage: exe_check.sh path/to/pixolet.exe}
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
limit=$((1536 * 1024))

# DLLs that every Windows 10 and 11 installation has.
system_dlls=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comctl32.dll \
comdlg32.dll version.dll msvcrt.dll ole32.dll oleaut32.dll shlwapi.dll uxtheme.dll \
dwmapi.dll imm32.dll winmm.dll ws2_32.dll bcrypt.dll ntdll.dll wtsapi32.dll "

size=$(stat -c %s "$exe")
echo "pixolet.exe: $size bytes ($(( (size + 1023) / 1024 )) KB, limit $((limit / 1024)) KB)"
status=0
if [ "$size" -gt "$limit" ]; then
  echo "FAIL: larger than 1.5 MB"
  status=1
fi

imports=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
if [ -z "$imports" ]; then
  echo "FAIL: no import table found"
  exit 1
fi
for dll in $imports; do
  case "$system_dlls" in
    *" $dll "*) echo "imports $dll" ;;
    *) echo "FAIL: imports non-system DLL $dll"; status=1 ;;
  esac
done
exit $status
