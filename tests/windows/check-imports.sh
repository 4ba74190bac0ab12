#!/bin/sh
# A player's download is the program alone: every DLL a linked Windows
# program imports must be one that Windows itself ships.
# Usage: check-imports.sh program.exe...
set -u
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
allowed=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll
  shcore.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll dwmapi.dll ws2_32.dll "
[ $# -gt 0 ] || { echo "usage: check-imports.sh program.exe..."; exit 2; }
failures=0
for program in "$@"; do
    dlls=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:upper:]' '[:lower:]')
    if [ -z "$dlls" ]; then
        echo "FAIL: $program: no imports read"
        failures=$((failures + 1))
        continue
    fi
    for dll in $dlls; do
        case "$allowed" in
            *" $dll "*) ;;
            *) echo "FAIL: $program imports $dll, which is not a system DLL"; failures=$((failures + 1)) ;;
        esac
    done
    echo "$(basename "$program"):" $dlls
done
[ "$failures" -eq 0 ]
