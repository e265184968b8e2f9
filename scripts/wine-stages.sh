#!/usr/bin/env bash
# The Wine stages of the test command: the unit tests under Wine, then the
# end-to-end tests of the real window. Runs inside the caller's Wine session
# and display (scripts/test.sh, scripts/stability.sh).
set -euo pipefail
build=${MIRVELTA_BUILD:?}
echo "== unit tests, Windows under Wine"
ctest --test-dir "$build/windows" --output-on-failure -j "$(nproc)" -LE e2e
echo "== the designer's view: the Windows mirvelta-cli prints the native bytes"
"$(dirname "$0")/twins-agree.sh"
echo "== end-to-end tests: the real window under Wine on $DISPLAY"
ctest --test-dir "$build/windows" --output-on-failure -L e2e
echo "   screenshots: $MIRVELTA_E2E_OUT"
