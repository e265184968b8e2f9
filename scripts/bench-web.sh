#!/usr/bin/env bash
# The web page's benchmark (not part of the tests): the wasm's size and the
# page's ready time from file:// in headless Chromium.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build # where the presets put their trees
"$root/scripts/build.sh" web >/dev/null
/usr/bin/python3 "$root/tests/web/bench_web.py" "$build/web/site" "${1:-15}"
