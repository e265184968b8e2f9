#!/usr/bin/env bash
# The emulator ctest runs the Windows binaries with: the build's own Wine
# prefix (never the user's), a quiet log, the 64-bit loader.
# Usage: wine-run.sh PREFIX PROGRAM.exe [ARGS...]
export WINEPREFIX=$1
export WINEDEBUG=${WINEDEBUG:--all}
shift
exec /usr/lib/wine/wine64 "$@"
