#!/usr/bin/env bash
# Checks the packages scripts/package.sh wrote, without installing anything on
# this machine: the .deb's fields, files and lintian's verdict, its menu entry,
# its programs unpacked in a throwaway root, and the zip's programs under
# Wine. Runs inside the caller's Wine session and display (scripts/test.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build # where the presets put their trees
dist=${MIRVELTA_DIST:-$root/dist}
. "$root/scripts/lib/wine-env.sh"
. "$root/scripts/lib/display.sh" # display_wait_window; the display is the caller's
cli=$build/native/cli/mirvelta-cli
version=$("$cli" --version | awk '{print $2}')
deb=$dist/mirvelta_${version}_amd64.deb
zip=$dist/mirvelta-$version-windows-x64.zip
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0
check() { # what, then the command that must succeed
    local what=$1; shift
    if "$@"; then
        echo "ok: $what"
        passed=$((passed + 1))
    else
        echo "FAILED: $what" >&2
        failed=$((failed + 1))
    fi
}
solve=(solve --family ferrite --size 240 --material 61 --inductance 2.2 --units mH)

echo "== the Debian package"
field() { dpkg-deb -f "$deb" "$1"; }
check "Package, Version, Architecture" test "$(field Package) $(field Version) $(field Architecture)" = "mirvelta $version amd64"
check "Depends names wine64 and libc6" sh -c "dpkg-deb -f '$deb' Depends | grep -q 'wine64' && dpkg-deb -f '$deb' Depends | grep -q 'libc6 (>= '"
dpkg-deb -c "$deb" | awk '{print $1, $6}' > "$work/files"
for f in "-rwxr-xr-x ./usr/bin/mirvelta" "-rwxr-xr-x ./usr/bin/mirvelta-cli" \
    "-rw-r--r-- ./usr/lib/mirvelta/mirvelta.exe" "-rw-r--r-- ./usr/share/applications/mirvelta.desktop" \
    "-rw-r--r-- ./usr/share/icons/hicolor/128x128/apps/mirvelta.png" \
    "-rw-r--r-- ./usr/share/man/man1/mirvelta-cli.1.gz" "-rw-r--r-- ./usr/share/man/man1/mirvelta.1.gz" \
    "-rw-r--r-- ./usr/share/doc/mirvelta/copyright" "-rw-r--r-- ./usr/share/doc/mirvelta/changelog.gz"; do
    check "file $f" grep -qxF -- "$f" "$work/files"
done
check "nothing else in the package" test "$(grep -c '^-' "$work/files")" -eq 9
check "lintian reports no errors or warnings" lintian --fail-on error,warning "$deb"

unpacked=$work/root
dpkg-deb -x "$deb" "$unpacked"
check "desktop-file-validate" desktop-file-validate "$unpacked/usr/share/applications/mirvelta.desktop"
check "unpacked mirvelta-cli --version" test "$("$unpacked/usr/bin/mirvelta-cli" --version)" = "mirvelta-cli $version"
"$cli" "${solve[@]}" > "$work/solve-built"
"$unpacked/usr/bin/mirvelta-cli" "${solve[@]}" > "$work/solve-unpacked"
check "unpacked mirvelta-cli solve prints what the built one prints" cmp "$work/solve-built" "$work/solve-unpacked"
check "the man page reads" sh -c "man -l '$unpacked/usr/share/man/man1/mirvelta-cli.1.gz' >/dev/null 2>&1 || zcat '$unpacked/usr/share/man/man1/mirvelta-cli.1.gz' | grep -q '^.SH NAME'"
# The page is made from the help: a section for every command the program lists.
for c in $("$cli" --help | sed -n '/^Subcommands:/,/^$/p' | awk 'NR > 1 && NF {print $1}'); do
    check "the man page has $c" sh -c "zcat '$unpacked/usr/share/man/man1/mirvelta-cli.1.gz' | grep -qxF '.SS \"$c [OPTIONS]:\"'"
done

# Starts a program, waits for its window by caption on this run's display,
# closes it with Alt+F4 and says whether it ended with exit code 0.
opens_and_closes() { # command...
    "$@" >"$work/program.log" 2>&1 &
    local program=$! window
    window=$(display_wait_window "$program" '^Mirvelta ' 180) || {
        kill "$program" 2>/dev/null; wait "$program" 2>/dev/null; return 1
    }
    sleep 1
    xdotool windowfocus --sync "$window" key --delay 80 alt+F4
    local code=0
    for _ in $(seq 300); do
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$program" 2>/dev/null && { kill "$program"; code=1; }
    wait "$program" || code=$?
    [ "$code" -eq 0 ]
}

# The launcher as a new user runs it: a home of its own, no prefix yet.
home=$work/home
mkdir -p "$home"
check "the unpacked launcher opens the window, which closes with exit code 0" \
    opens_and_closes env -u XDG_DATA_HOME -u MIRVELTA_WINEPREFIX HOME="$home" "$unpacked/usr/bin/mirvelta"
prefix=$home/.local/share/mirvelta/wineprefix
# The registry reaches its files when the prefix's server ends.
WINEPREFIX=$prefix "$WINESERVER" -w
check "the launcher made its prefix under the XDG data folder" test -f "$prefix/system.reg" -a -f "$prefix/user.reg"
check "the launcher's prefix leaves windows to the window manager" sh -c "! grep -qi '\"Managed\"' '$prefix/user.reg'"

echo "== the Windows zip"
unzip -q "$zip" -d "$work/zip"
folder=$work/zip/mirvelta-$version-windows-x64
check "the zip holds the two programs, the readme and the licence" \
    test "$(cd "$work/zip" && find . -type f | sort | tr '\n' ' ')" = \
    "./mirvelta-$version-windows-x64/LICENSE.txt ./mirvelta-$version-windows-x64/README.txt ./mirvelta-$version-windows-x64/mirvelta-cli.exe ./mirvelta-$version-windows-x64/mirvelta.exe "
check "both .exe import only system DLLs" "$root/scripts/check-imports.sh" "$folder/mirvelta.exe" "$folder/mirvelta-cli.exe"
"$WINE64" "$folder/mirvelta-cli.exe" "${solve[@]}" | tr -d '\r' > "$work/solve-zip"
check "the zip's mirvelta-cli.exe solve prints the native lines" cmp "$work/solve-built" "$work/solve-zip"
check "the zip's mirvelta.exe opens the window, which closes with exit code 0" opens_and_closes "$WINE64" "$folder/mirvelta.exe"

echo "== the web page's zip"
webzip=$dist/mirvelta-$version-web.zip
unzip -q "$webzip" -d "$work/web"
check "the web zip holds the page, its scripts, its style and the licence" \
    test "$(cd "$work/web" && find . -type f | sort | tr '\n' ' ')" = \
    "./mirvelta-$version-web/LICENSE.txt ./mirvelta-$version-web/index.html ./mirvelta-$version-web/mirvelta-engine.js ./mirvelta-$version-web/mirvelta-wasm.js ./mirvelta-$version-web/mirvelta.js ./mirvelta-$version-web/page.js ./mirvelta-$version-web/style.css "
check "the page names no other site" sh -c "! grep -qE '(src|href)=\"(https?:)?//' '$work/web/mirvelta-$version-web/index.html'"

echo "package checks: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
