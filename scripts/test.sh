#!/usr/bin/env bash
# The test command: installs what is missing, builds every build tree and
# runs every test, stage by stage, all through the presets
# (CMakePresets.json) and ctest's labels.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build # where the presets put their trees
cd "$root"

stage() { # what it checks, then the command
    echo "== $1"
    shift
    "$@"
}

"$root/scripts/setup.sh"
# The fuzz targets' time is set at configure time, before the build.
cmake --preset sanitize -DMIRVELTA_FUZZ_SECONDS="${MIRVELTA_FUZZ_SECONDS:-10}" >/dev/null
"$root/scripts/build.sh" sanitize soft native windows web
. "$root/scripts/lib/session.sh" # the run's own display and Wine session

stage "the .exe files import only Windows system DLLs" \
    "$root/scripts/check-imports.sh" "$build/windows/ui/mirvelta.exe" "$build/windows/cli/mirvelta-cli.exe"
# The shuffled run prints its seed; MIRVELTA_SEED=N replays an order.
stage "unit tests, native: one process a test, then all in one shuffled; the x87 differential" ctest --preset unit
stage "unit tests, native, with AddressSanitizer and UBSan" ctest --preset sanitize
stage "unit tests, native, on the software extended type" ctest --preset soft
"$root/scripts/lib/wine-stages.sh" # under Wine: the unit tests, the twins, the real window

# The page's test (headless Chromium, no display) and the packages' (the
# Wine session and the display) share nothing and each keeps about one core
# busy: they run side by side, the page's output shown when both are done.
web_log=$build/web-test.log
ctest --preset web >"$web_log" 2>&1 &
web=$!
packages=0
stage "the packages: build them, then check them" ctest --preset packages || packages=$?
web_status=0
wait "$web" || web_status=$?
stage "the web page in headless Chromium, from file://, against the native twin (beside the packages)" cat "$web_log"
if [ "$packages" -ne 0 ] || [ "$web_status" -ne 0 ]; then exit 1; fi
stage "fuzzing the number texts, mirvelta-cli, the page's requests and Touchstone files (${MIRVELTA_FUZZ_SECONDS:-10} s each)" \
    ctest --preset fuzz
