#!/usr/bin/env bash
# Start-up time of the window beside an empty dialog, under the same Wine in
# the same run; CPU used by the idle window over 10 s; the sizes of both .exe.
# Usage: scripts/bench-window.sh [runs]   (default 20)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build # where the presets put their trees
runs=${1:-20}
"$root/scripts/setup.sh"
"$root/scripts/build.sh" windows >/dev/null
. "$root/scripts/lib/session.sh"

exe=$build/windows/ui/mirvelta.exe
empty=$build/windows/tests/empty_dialog.exe
echo "== start-up, process start to visible window ($runs runs each, interleaved)"
windows_path() { "$WINE64" winepath -w "$1" | tr -d '\r'; } # winepath is a Wine program, not on PATH
"$WINE64" "$build/windows/tests/startup_timer.exe" "$runs" "$(windows_path "$exe")" "$(windows_path "$empty")"

echo "== idle CPU over 10 s"
"$WINE64" "$exe" &
pid=$! # the loader becomes the program's process
sleep 3
# The session's own server: the one started with this prefix.
server=
for p in $(pgrep wineserver); do # wineserver64 on Debian
    tr '\0' '\n' < "/proc/$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" && server=$p
done
[ -n "$server" ] || { echo "no wineserver of $WINEPREFIX" >&2; exit 1; }
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
a=$(ticks "$pid"); s=$(ticks "$server")
sleep 10
b=$(ticks "$pid"); t=$(ticks "$server")
awk -v p=$((b - a)) -v w=$((t - s)) -v hz="$hz" 'BEGIN {
    printf "program: %.2f%% of one core, wineserver: %.2f%%\n", 100 * p / hz / 10, 100 * w / hz / 10 }'
kill "$pid" 2>/dev/null || true

echo "== sizes (both static, same flags)"
ls -l "$exe" "$empty" | awk '{print $5, $9}'
