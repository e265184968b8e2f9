#!/usr/bin/env bash
# The Wine stages of the test command: the unit tests under Wine, the Windows
# twin against the native one, then the end-to-end tests of the real window.
# Runs inside the caller's Wine session and display (scripts/test.sh,
# scripts/stability.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
echo "== unit tests, Windows under Wine"
ctest --preset windows
echo "== the designer's view: the Windows mirvelta-cli prints the native bytes"
ctest --preset twins
echo "== end-to-end tests: the real window under Wine on $DISPLAY"
ctest --preset e2e
echo "   screenshots: $MIRVELTA_E2E_OUT"
