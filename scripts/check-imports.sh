#!/usr/bin/env bash
# Fails when a program imports a library that Windows might take from the program's own folder.
# Brindle runs from folders others can write to, so its import table names only libraries that Windows
# always takes from the system folder (the common controls come through the manifest); every other
# library is loaded while it runs, from the system folder (src/platform/system_library_win.h).
#   check-imports.sh PROGRAM.exe...
set -uo pipefail
allowed="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll msvcrt.dll comctl32.dll"
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
status=0
[ $# -gt 0 ] || { echo "usage: check-imports.sh PROGRAM.exe..." >&2; exit 2; }
for program in "$@"; do
    imports=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
    # A program without kernel32 in its table was not read: never pass on an empty list.
    if ! grep -qx kernel32.dll <<<"$imports"; then
        echo "check-imports: no import table read from $program" >&2
        status=1
        continue
    fi
    refused=0
    for library in $imports; do
        case " $allowed " in
        *" $library "*) ;;
        *)
            echo "check-imports: $program imports $library, which is not always taken from the system folder" >&2
            refused=1
            ;;
        esac
    done
    if [ "$refused" -eq 0 ]; then
        echo "check-imports: $(basename "$program"): $(echo $imports)"
    else
        status=1
    fi
done
exit "$status"
