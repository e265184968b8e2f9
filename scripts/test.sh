#!/usr/bin/env bash
# Installs what is missing, builds every build and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MIRVELTA_BUILD:-$root/build}
export MIRVELTA_BUILD=$build

"$root/scripts/setup.sh"
"$root/scripts/build.sh" all

. "$root/scripts/session.sh"

echo "== the .exe files import only Windows system DLLs"
"$root/scripts/check-imports.sh" "$build/windows/ui/mirvelta.exe" "$build/windows/cli/mirvelta-cli.exe"

echo "== unit tests, native"
ctest --test-dir "$build/native" --output-on-failure -j "$(nproc)"
# All of them in one process, in an order of their own: no test may lean on
# another's leftovers. MIRVELTA_SEED=N replays an order.
seed=${MIRVELTA_SEED:-$(( $(od -An -N2 -tu2 /dev/urandom) % 99999 + 1 ))}
echo "== unit tests, native, in one process, shuffled with seed $seed"
"$build/native/tests/unit_tests" --gtest_shuffle --gtest_random_seed="$seed" --gtest_brief=1
echo "== unit tests, native, with AddressSanitizer and UBSan"
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir "$build/sanitize" --output-on-failure -j "$(nproc)"
"$root/scripts/wine-stages.sh"

echo "== the web page in headless Chromium, from file://"
/usr/bin/python3 "$root/tests/web/web_test.py" "$build/web/site" "$build/native/tests/cli_batch"

echo "== the packages: build them, then check them"
"$root/scripts/package.sh"
"$root/scripts/package-test.sh"

echo "== fuzzing the number texts and mirvelta-cli (${MIRVELTA_FUZZ_SECONDS:-45} s each)"
"$root/scripts/fuzz.sh" "${MIRVELTA_FUZZ_SECONDS:-45}"
