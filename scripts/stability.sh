#!/usr/bin/env bash
# Runs the Wine stages of the test command (unit tests under Wine, end-to-end
# tests) N times in a row on one build, each time in a fresh Wine session,
# and counts the runs that passed. Not part of the test command.
# Usage: scripts/stability.sh [N]   (default 10); logs in build/stability/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build # where the presets put their trees
runs=${1:-10}

"$root/scripts/setup.sh"
"$root/scripts/build.sh" windows >/dev/null
. "$root/scripts/lib/session.sh" per-run
mkdir -p "$build/stability"

passed=0
for i in $(seq "$runs"); do
    log=$build/stability/run-$i.log
    start=$(date +%s)
    wine_session_start "$tests_prefix" unmanaged
    if "$root/scripts/lib/wine-stages.sh" >"$log" 2>&1; then
        passed=$((passed + 1))
        verdict=passed
    else
        verdict="FAILED (see $log)"
    fi
    wine_session_end
    echo "run $i of $runs: $verdict in $(($(date +%s) - start)) s"
done
echo "$passed of $runs runs passed"
[ "$passed" -eq "$runs" ]
