#!/usr/bin/env bash
# Configures and builds the native, the Windows (MinGW-w64) and the web
# (Emscripten) build.
# Usage: scripts/build.sh [native|windows|sanitize|web|all]   (default: all)
#   sanitize: the native unit tests with AddressSanitizer and UBSan.
#   web: the static page, build/web/site/.
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
if [ "$what" = sanitize ] || [ "$what" = all ]; then
    dir=$build/sanitize
    cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRVELTA_WERROR="$werror" -DMIRVELTA_DIFFERENTIAL=OFF \
        -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer" \
        >/dev/null
    cmake --build "$dir" -j "$jobs" --target unit_tests
fi
if [ "$what" = native ] || [ "$what" = all ]; then
    configure_and_build native
fi
if [ "$what" = windows ] || [ "$what" = all ]; then
    configure_and_build windows -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw.cmake"
fi
if [ "$what" = web ] || [ "$what" = all ]; then
    # Debian's emscripten finds its Node.js modules here even when the node
    # on PATH is not Debian's.
    export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
    dir=$build/web
    emcmake cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DMIRVELTA_WERROR="$werror" >/dev/null
    cmake --build "$dir" -j "$jobs"
fi
