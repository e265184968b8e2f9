#!/usr/bin/env bash
# Configures and builds the native and the Windows (MinGW-w64) build.
# Usage: scripts/build.sh [native|windows|all]   (default: all)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MIRVELTA_BUILD:-$root/build}
jobs=$(nproc)
werror=${MIRVELTA_WERROR:-ON}

configure_and_build() { # name, extra cmake arguments...
    local dir=$build/$1; shift
    cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DMIRVELTA_WERROR="$werror" "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
}

what=${1:-all}
if [ "$what" = native ] || [ "$what" = all ]; then
    configure_and_build native
fi
if [ "$what" = windows ] || [ "$what" = all ]; then
    configure_and_build windows -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw.cmake"
fi
