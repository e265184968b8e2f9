#!/usr/bin/env bash
# The long differential soak of the real window (not part of the tests).
# Usage: scripts/soak.sh [SEED [ACTIONS]]   (defaults 1 and 20000)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build # where the presets put their trees
seed=${1:-1}
actions=${2:-20000}
"$root/scripts/setup.sh"
"$root/scripts/build.sh" windows >/dev/null
. "$root/scripts/lib/session.sh"
"$WINE64" "$build/windows/tests/soak.exe" "$seed" "$actions"
