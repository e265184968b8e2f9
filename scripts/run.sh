#!/usr/bin/env bash
# Installs what is missing, builds the .exe and starts it under Wine, in a
# Wine prefix of the user's own (not the tests'), whose windows the window
# manager manages. With no display it starts a virtual one, waits for the
# window, saves a screenshot, says where, and closes the program again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build # where the presets put their trees

"$root/scripts/setup.sh"
"$root/scripts/build.sh" windows >/dev/null
exe=$build/windows/ui/mirvelta.exe
echo "built $exe"

. "$root/scripts/lib/wine-env.sh"
. "$root/scripts/lib/display.sh"
prefix=${MIRVELTA_WINEPREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/mirvelta/wineprefix}
virtual=
[ -z "${DISPLAY:-}" ] && virtual=yes
trap 'display_done' EXIT
display_ready
wine_prefix_ready "$prefix" desktop

if [ -z "$virtual" ]; then
    exec "$WINE64" "$exe"
fi

# Under Xvfb with no window manager the managed window has no frame.
"$WINE64" "$exe" &
program=$!
if ! display_wait_window "$program" '^Mirvelta ' 60 >/dev/null; then
    echo "the window did not appear" >&2
    exit 1
fi
sleep 1 # let it paint
shot=$build/windows/mirvelta.png
import -window root "$shot"
echo "no display: ran on virtual display $DISPLAY; screenshot saved to $shot"
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
