#!/usr/bin/env bash
# Configures and builds build trees from their presets (CMakePresets.json):
# native (with the Debian package's flags), sanitize (with the fuzz targets),
# soft, windows, web. Two trees build at
# once: each has one long compile (the twin's files as one unit) that leaves
# a core idle, and the other tree fills it. Each tree's output goes to
# build/PRESET.log, shown when it fails.
# Usage: scripts/build.sh [PRESET...]   (default: sanitize soft native windows web)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[ $# -gt 0 ] || set -- sanitize soft native windows web
mkdir -p build
one() { # preset
    cmake --preset "$1" >"build/$1.log" 2>&1 && cmake --build --preset "$1" -j "$(nproc)" >>"build/$1.log" 2>&1
}
declare -A running=()
finish_one() {
    local pid
    wait -n -p pid || {
        echo "build: the $([ -n "${pid:-}" ] && echo "${running[$pid]}" || echo "?") tree failed:" >&2
        tail -n 40 "build/${running[$pid]}.log" >&2
        exit 1
    }
    unset "running[$pid]"
}
for preset in "$@"; do
    one "$preset" &
    running[$!]=$preset
    [ "${#running[@]}" -lt 2 ] || finish_one
done
while [ "${#running[@]}" -gt 0 ]; do finish_one; done
