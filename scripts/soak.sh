#!/usr/bin/env bash
# The long differential soak of the real window (not part of the tests).
# Usage: scripts/soak.sh [SEED [ACTIONS]]   (defaults 1 and 20000)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MIRVELTA_BUILD:-$root/build}
seed=${1:-1}
actions=${2:-20000}
"$root/scripts/setup.sh"
"$root/scripts/build.sh" windows >/dev/null
. "$root/scripts/wine-env.sh"
. "$root/scripts/display.sh"
trap 'wine_session_end; display_done' EXIT
display_ready own
wine_session_start "$build/windows/wineprefix" unmanaged
export MIRVELTA_E2E_OUT=$build/windows/e2e-output
mkdir -p "$MIRVELTA_E2E_OUT"
"$WINE64" "$build/windows/tests/soak.exe" "$seed" "$actions"
