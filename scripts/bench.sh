#!/usr/bin/env bash
# Builds the native tree and runs the benchmarks (not part of the tests).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build # where the presets put their trees
"$root/scripts/build.sh" native >/dev/null
for b in "$build"/native/tests/*_bench; do
    "$b" --benchmark_min_time=0.5
done
