#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a
# bounded time: the number texts, then mirvelta-cli's argument vectors.
# Usage: scripts/fuzz.sh [seconds per target]   (default 60)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MIRVELTA_BUILD:-$root/build}/fuzz
seconds=${1:-60}
mkdir -p "$build/corpus" "$build/cli-corpus"
flags=(-std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I"$root")
engine=("$root"/catalogue/catalogue.cpp "$root"/calc/{extended,fpenv,formulas,numtext,results,solve,state,memform}.cpp
        "$root"/design/*.cpp)
# The version is the build's (CMakeLists.txt), read from the one place it is set.
version=$(sed -n 's/^project(Mirvelta VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "fuzz: no version in CMakeLists.txt" >&2; exit 1; }

# Every source to its own object, as many at once as there are cores.
# (A source that fails to compile leaves no object, so the link fails.)
objects=$build/objects
rm -rf "$objects"
mkdir -p "$objects"
# The twin's files as one unit, as the CMake build compiles them.
for f in "$root"/cli/*.cpp; do
    [ "$(basename "$f")" = main.cpp ] || echo "#include \"$f\""
done > "$build/cli_unity.cpp"
sources=("$root"/tests/fuzz/{numtext,cli}_fuzz.cpp "${engine[@]}" "$build/cli_unity.cpp")
object() { local name=${1#"$root"/}; name=${name#"$build"/}; echo "$objects/${name//\//_}.o"; }
pids=()
for f in "${sources[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do sleep 0.2; done
    clang++ "${flags[@]}" -DMIRVELTA_VERSION="\"$version\"" -c "$f" -o "$(object "$f")" &
    pids+=($!)
done
for p in "${pids[@]}"; do wait "$p"; done
clang++ "${flags[@]}" "$(object "$root/tests/fuzz/numtext_fuzz.cpp")" "$(object "$root/calc/numtext.cpp")" \
    "$(object "$root/calc/fpenv.cpp")" "$(object "$root/calc/extended.cpp")" -o "$build/numtext_fuzz"
cli_objects=()
for f in "${sources[@]}"; do
    [ "$f" = "$root/tests/fuzz/numtext_fuzz.cpp" ] || cli_objects+=("$(object "$f")")
done
clang++ "${flags[@]}" "${cli_objects[@]}" -o "$build/cli_fuzz"

# The repo's seeds stay as they are; what the runs find goes to the build tree.
cd "$build"
echo "-- number texts"
./numtext_fuzz -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
    -print_final_stats=1 corpus "$root/tests/fuzz/corpus" 2>&1 | tail -n 12
echo "-- mirvelta-cli argument vectors"
./cli_fuzz -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=1024 \
    -print_final_stats=1 cli-corpus "$root/tests/fuzz/cli-corpus" 2>&1 | tail -n 12
