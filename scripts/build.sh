#!/usr/bin/env bash
# Configures and builds build trees from their presets (CMakePresets.json):
# native, sanitize, soft, windows, web, fuzz, package.
# Usage: scripts/build.sh [PRESET...]   (default: sanitize native soft windows web)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[ $# -gt 0 ] || set -- sanitize native soft windows web
for preset in "$@"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)"
done
