#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, only what is missing.
set -euo pipefail

packages=(
    cmake g++ make                  # native build
    g++-mingw-w64-x86-64-posix      # Windows build
    googletest                      # sources, built by both builds
    libbenchmark-dev                # native benchmarks
    libcli11-dev nlohmann-json3-dev # mirvelta-cli's options and JSON (header-only)
    libmpfr-dev                     # reference log10 of the gauge test
    wine64                          # runs the Windows binaries
    xvfb xdotool imagemagick        # the window under a virtual display
    clang libclang-rt-14-dev        # fuzzing and sanitizers
    dpkg-dev zip unzip              # the packages (scripts/package.sh)
    lintian desktop-file-utils      # their checks
    help2man                        # the man page from --help
    emscripten                      # the web page's wasm
    chromium chromium-driver python3-selenium  # the web page's tests
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages: ${missing[*]} (run as root, or install them)" >&2
    exit 1
fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
