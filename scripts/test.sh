#!/usr/bin/env bash
# Installs what is missing, builds both builds and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MIRVELTA_BUILD:-$root/build}
export MIRVELTA_BUILD=$build

"$root/scripts/setup.sh"
"$root/scripts/build.sh" all

. "$root/scripts/wine-env.sh"
wine_prefix_ready
trap wine_prefix_done EXIT

echo "== unit tests, native"
ctest --test-dir "$build/native" --output-on-failure -j "$(nproc)"
echo "== unit tests, Windows under Wine"
ctest --test-dir "$build/windows" --output-on-failure -j "$(nproc)"

echo "== fuzzing the number texts (${MIRVELTA_FUZZ_SECONDS:-60} s)"
"$root/scripts/fuzz.sh" "${MIRVELTA_FUZZ_SECONDS:-60}"
