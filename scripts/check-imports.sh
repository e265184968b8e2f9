#!/usr/bin/env bash
# Each Windows .exe given may import only Windows system DLLs: no libstdc++,
# libgcc or winpthread DLLs beside it. Usage: check-imports.sh EXE...
set -euo pipefail
status=0
for exe in "$@"; do
    imports=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print $3}')
    echo "$(basename "$exe"): $(echo "$imports" | tr '\n' ' ')"
    if echo "$imports" | grep -viqE '^(kernel32|user32|gdi32|msvcrt)\.dll$'; then
        echo "$exe: unexpected DLL import" >&2
        status=1
    fi
done
exit $status
