#!/usr/bin/env bash
# Builds what it needs and writes the packages to dist/, all carrying the
# build's one version:
#   mirvelta-VERSION-windows-x64.zip  the two .exe, a readme and the licence for Windows
#   mirvelta-VERSION-web.zip          the static web page and the licence
#   mirvelta_VERSION_amd64.deb        mirvelta-cli, the program under Wine with
#                                     its launcher, menu entry, icon, man pages
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build # where the presets put their trees
dist=${MIRVELTA_DIST:-$root/dist}

"$root/scripts/setup.sh"
# The native tree builds the Debian twin, with Debian's hardening flags and
# the C++ runtime linked in so that it depends on libc6 alone.
"$root/scripts/build.sh" native windows web >/dev/null
"$root/scripts/check-imports.sh" "$build/windows/ui/mirvelta.exe" "$build/windows/cli/mirvelta-cli.exe"
pkg=$build/native
version=$("$pkg/cli/mirvelta-cli" --version | awk '{print $2}')
[ -n "$version" ] || { echo "package: no version from mirvelta-cli --version" >&2; exit 1; }

# Every file dated by the last commit, so the same tree gives the same packages.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)}
maintainer="Mirvelta maintainers <maintainers@mirvelta.invalid>"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$dist"

# ---- the Debian package ------------------------------------------------------
stage=$work/deb
install -d -m 0755 "$stage"
install -D -m 0755 "$pkg/cli/mirvelta-cli" "$stage/usr/bin/mirvelta-cli"
strip --remove-section=.comment --remove-section=.note --strip-unneeded "$stage/usr/bin/mirvelta-cli"
install -D -m 0755 "$root/packaging/mirvelta" "$stage/usr/bin/mirvelta"
install -D -m 0644 "$build/windows/ui/mirvelta.exe" "$stage/usr/lib/mirvelta/mirvelta.exe"
install -D -m 0644 "$root/packaging/mirvelta.desktop" "$stage/usr/share/applications/mirvelta.desktop"
# The icon: the ring of the winding sketch the window shows, on a white disc.
icon=$stage/usr/share/icons/hicolor/128x128/apps/mirvelta.png
install -d -m 0755 "$(dirname "$icon")"
convert "$root/ui/toroid.bmp" -crop 306x306+12+33 +repage -resize 128x128 -type TrueColor \
    \( +clone -fill black -colorize 100 -fill white -draw 'circle 63.5,63.5 63.5,0.5' \) \
    -alpha off -compose copy_opacity -composite -strip -define png:exclude-chunks=date,time "png32:$icon"
chmod 0644 "$icon"
install -d -m 0755 "$stage/usr/share/man/man1" "$stage/usr/share/doc/mirvelta"
gzip -9n < "$root/packaging/mirvelta.1" > "$stage/usr/share/man/man1/mirvelta.1.gz"
# mirvelta-cli's page from its own help (--help-all: every command's), with
# the sections the help has not in packaging/mirvelta-cli.h2m; dated by
# SOURCE_DATE_EPOCH.
help2man --no-info --no-discard-stderr --help-option=--help-all --include "$root/packaging/mirvelta-cli.h2m" \
    --name "toroid winding calculator on the command line" "$pkg/cli/mirvelta-cli" |
    gzip -9n > "$stage/usr/share/man/man1/mirvelta-cli.1.gz"
install -m 0644 "$root/packaging/copyright" "$stage/usr/share/doc/mirvelta/copyright"
cat > "$work/changelog" <<CHANGES
mirvelta ($version) unstable; urgency=medium

  * Release $version (CHANGELOG.md has it all):
  * mirvelta-cli measure: a VNA's Touchstone file of a test winding fitted
    against the makers' ferrite materials; impedance and loss --curve.
  * Powdered iron at power from the maker's curve fits: loss, impedance
    against frequency, flux and solve --dc-amps under DC bias, core --mhz.
  * Every command answers --json; one grammar for every number typed.
  * The web page (mirvelta-$version-web.zip): the designer's workbench on
    one core, live answers, the design in its address, a readable plot.

 -- $maintainer  $(date -u -R -d "@$SOURCE_DATE_EPOCH")

mirvelta (1.1.0) unstable; urgency=medium

  * Release 1.1.0: the calculator under Wine with its launcher and menu
    entry, and mirvelta-cli.

 -- $maintainer  Tue, 08 Dec 2026 00:00:00 +0000
CHANGES
gzip -9n < "$work/changelog" > "$stage/usr/share/doc/mirvelta/changelog.gz"
chmod 0644 "$stage"/usr/share/man/man1/*.gz "$stage/usr/share/doc/mirvelta/changelog.gz"

glibc=$(objdump -T "$stage/usr/bin/mirvelta-cli" | grep -o 'GLIBC_[0-9.]*' | sed 's/GLIBC_//' | sort -V | tail -n 1)
install -d -m 0755 "$stage/DEBIAN"
cat > "$stage/DEBIAN/control" <<CONTROL
Package: mirvelta
Version: $version
Architecture: amd64
Maintainer: $maintainer
Installed-Size: $(du -k -s --apparent-size --exclude=DEBIAN "$stage" | cut -f1)
Depends: libc6 (>= $glibc), wine64
Recommends: fonts-wine
Section: hamradio
Priority: optional
Description: toroid winding calculator for single-layer inductors
 Mirvelta works out single-layer inductors on toroidal cores: pick a
 powdered-iron or ferrite core from its catalogue, then solve for the
 inductance from turns or for the turns from an inductance. It shows the
 core's dimensions, colour code and frequency ranges, the largest wire (AWG)
 that fits in one layer and the length of wire needed.
 .
 The calculator is a Windows program; the mirvelta command runs it under
 Wine. mirvelta-cli is its native command-line twin with the same digits,
 and adds effective core parameters, permeability, flux density and the
 identification of unknown cores from a test winding.
CONTROL
(cd "$stage" && find usr -type f -printf '%P\n' | sort | sed 's|^|usr/|' | xargs md5sum > DEBIAN/md5sums)
chmod 0644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
deb=$dist/mirvelta_${version}_amd64.deb
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "wrote $deb"

# ---- the Windows zip ---------------------------------------------------------
folder=mirvelta-$version-windows-x64
mkdir -p "$work/zip/$folder"
cp "$build/windows/ui/mirvelta.exe" "$build/windows/cli/mirvelta-cli.exe" "$work/zip/$folder/"
# CR LF, for Notepad.
sed -e "s/VERSION/$version/" -e 's/$/\r/' "$root/packaging/README-windows.txt" > "$work/zip/$folder/README.txt"
sed -e 's/$/\r/' "$root/LICENSE" > "$work/zip/$folder/LICENSE.txt"
find "$work/zip" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
zip=$dist/$folder.zip
rm -f "$zip"
(cd "$work/zip" && TZ=UTC zip -q -X -r "$zip" "$folder")
echo "wrote $zip"

# ---- the web page ------------------------------------------------------------
folder=mirvelta-$version-web
mkdir -p "$work/web/$folder"
cp "$build"/web/site/{index.html,mirvelta-wasm.js,mirvelta-engine.js,mirvelta.js,page.js,style.css} "$work/web/$folder/"
cp "$root/LICENSE" "$work/web/$folder/LICENSE.txt"
find "$work/web" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
zip=$dist/$folder.zip
rm -f "$zip"
(cd "$work/web" && TZ=UTC zip -q -X -r "$zip" "$folder")
echo "wrote $zip"
