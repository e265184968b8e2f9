#!/usr/bin/env bash
# The web page's benchmark (not part of the tests): the bytes a visit loads,
# the time until the page is ready and until a first answer, from file:// in
# headless Chromium, one live answer, and the engine's heavier requests
# (tests/web/bench_web.py). With a reference, both sites are loaded fresh,
# interleaved, in the same run, and the ratio printed. The reference is a
# site's folder, or a commit of this repository, whose page is then built in
# a worktree of its own under build/reference-COMMIT (the page before the
# request layer: aeb4d23).
# Usage: scripts/bench-web.sh [N] [REFERENCE_SITE_DIR | COMMIT]...
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build # where the presets put their trees
"$root/scripts/build.sh" web >/dev/null
reference=()
for ref in "${@:2}"; do
    if [ -d "$ref" ]; then
        reference+=("$ref")
        continue
    fi
    commit=$(git -C "$root" rev-parse --short "$ref")
    tree=$build/reference-$commit
    [ -d "$tree/src" ] || git -C "$root" worktree add --detach "$tree/src" "$commit" >/dev/null
    # That commit's own way to build its page: presets where it has them.
    if [ -f "$tree/src/CMakePresets.json" ]; then
        (cd "$tree/src" && scripts/build.sh web >/dev/null)
        reference+=("$tree/src/build/web/site")
    else
        MIRVELTA_BUILD=$tree/build bash "$tree/src/scripts/build.sh" web >/dev/null
        reference+=("$tree/build/web/site")
    fi
done
/usr/bin/python3 "$root/tests/web/bench_web.py" "$build/web/site" "${1:-15}" "${reference[@]}"
