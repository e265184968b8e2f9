#!/usr/bin/env bash
# Builds the libFuzzer targets (in the sanitize preset: clang, ASan, UBSan) and runs
# each for a bounded time from the repo's seeds: the number texts,
# mirvelta-cli's argument vectors and the web page's requests.
# Usage: scripts/fuzz.sh [seconds per target]   (default 60)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset sanitize -DMIRVELTA_FUZZ_SECONDS="${1:-60}" >/dev/null
cmake --build --preset sanitize -j "$(nproc)" >/dev/null
ctest --preset fuzz --verbose | grep -E '^[0-9]+: (#[0-9]+.*DONE|Done|stat::number_of_executed_units|stat::peak_rss_mb)|tests passed|tests failed'
