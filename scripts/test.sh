#!/usr/bin/env bash
# Installs what is missing, builds every build tree and runs every test, all
# through the presets (CMakePresets.json) and ctest's labels.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build # where the presets put their trees
cd "$root"

"$root/scripts/setup.sh"
# The fuzz tree's test time is set at configure time, before the build.
cmake --preset fuzz -DMIRVELTA_FUZZ_SECONDS="${MIRVELTA_FUZZ_SECONDS:-10}" >/dev/null
# The package's twin too, with the flags scripts/package.sh gives it.
. "$root/scripts/lib/deb-flags.sh"
"$root/scripts/build.sh" sanitize soft native windows web fuzz package

. "$root/scripts/lib/session.sh"

echo "== the .exe files import only Windows system DLLs"
"$root/scripts/check-imports.sh" "$build/windows/ui/mirvelta.exe" "$build/windows/cli/mirvelta-cli.exe"

# The shuffled run prints its seed; MIRVELTA_SEED=N replays an order.
echo "== unit tests, native: one process a test, then all in one shuffled; the x87 differential"
ctest --preset unit
echo "== unit tests, native, with AddressSanitizer and UBSan"
ctest --preset sanitize
echo "== unit tests, native, on the software extended type"
ctest --preset soft
"$root/scripts/lib/wine-stages.sh"

echo "== the web page in headless Chromium, from file://, against the native twin"
ctest --preset web
echo "== the packages: build them, then check them"
ctest --preset packages
echo "== fuzzing the number texts, mirvelta-cli and the page's requests (${MIRVELTA_FUZZ_SECONDS:-10} s each)"
ctest --preset fuzz
