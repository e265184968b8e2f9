#!/usr/bin/env bash
# Installs what is missing, builds both builds and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MIRVELTA_BUILD:-$root/build}
export MIRVELTA_BUILD=$build

"$root/scripts/setup.sh"
"$root/scripts/build.sh" all

. "$root/scripts/wine-env.sh"
. "$root/scripts/display.sh"
trap 'wine_session_end; display_done' EXIT
# A virtual display of the run's own, whatever DISPLAY says, and the tests'
# own prefix: a calculator open on the user's screen is left alone.
display_ready own
wine_session_start "$build/windows/wineprefix" unmanaged
export MIRVELTA_E2E_OUT=$build/windows/e2e-output
mkdir -p "$MIRVELTA_E2E_OUT"

echo "== the .exe imports only Windows system DLLs"
imports=$(x86_64-w64-mingw32-objdump -p "$build/windows/ui/mirvelta.exe" | awk '/DLL Name:/ {print $3}')
echo "$imports" | tr '\n' ' '; echo
if echo "$imports" | grep -viqE '^(kernel32|user32|gdi32|msvcrt)\.dll$'; then
    echo "unexpected DLL import" >&2
    exit 1
fi

echo "== unit tests, native"
ctest --test-dir "$build/native" --output-on-failure -j "$(nproc)"
echo "== unit tests, native, with AddressSanitizer and UBSan"
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir "$build/sanitize" --output-on-failure -j "$(nproc)"
"$root/scripts/wine-stages.sh"

echo "== fuzzing the number texts (${MIRVELTA_FUZZ_SECONDS:-60} s)"
"$root/scripts/fuzz.sh" "${MIRVELTA_FUZZ_SECONDS:-60}"
