#!/usr/bin/env bash
# Builds the libFuzzer target with clang (ASan + UBSan) and runs it for a
# bounded time. Usage: scripts/fuzz.sh [seconds]   (default 60)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MIRVELTA_BUILD:-$root/build}/fuzz
seconds=${1:-60}
mkdir -p "$build/corpus"
clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I"$root" "$root/tests/fuzz/numtext_fuzz.cpp" "$root/calc/numtext.cpp" "$root/calc/fpenv.cpp" \
    -o "$build/numtext_fuzz"
# The repo's seeds stay as they are; what the run finds goes to the build tree.
cd "$build"
./numtext_fuzz -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
    -print_final_stats=1 corpus "$root/tests/fuzz/corpus" 2>&1 | tail -n 12
