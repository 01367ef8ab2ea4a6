#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed tree.
# usage: install_test.sh BUILD_DIR APP_ID NAME   (as the build names the program)
set -euo pipefail
build=$1 id=$2 name=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
expected="bin/improves-calc
share/applications/$id.desktop
share/doc/improves-calc/changelog.gz
share/doc/improves-calc/copyright
share/icons/hicolor/128x128/apps/$id.png
share/icons/hicolor/48x48/apps/$id.png
share/icons/hicolor/64x64/apps/$id.png
share/icons/hicolor/scalable/apps/$id.svg
share/man/man1/improves-calc.1.gz
share/metainfo/$id.metainfo.xml"
actual=$(cd "$prefix" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
if [ "$actual" != "$expected" ]; then
    diff <(echo "$expected") <(echo "$actual") || true
    echo "installed tree differs"; exit 1
fi
[ -x "$prefix/bin/improves-calc" ] || { echo "program not executable"; exit 1; }
desktop-file-validate "$prefix/share/applications/$id.desktop"
grep -qxF "Name=$name" "$prefix/share/applications/$id.desktop"
grep -qx "Exec=improves-calc" "$prefix/share/applications/$id.desktop"
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop"
grep -qx "StartupWMClass=improves-calc" "$prefix/share/applications/$id.desktop"
grep -q "MIT License" "$prefix/share/doc/improves-calc/copyright"
! grep -q "@" "$prefix/share/metainfo/$id.metainfo.xml" || { echo "metainfo not configured"; exit 1; }
! grep -q "@" "$prefix/share/applications/$id.desktop" || { echo "desktop entry not configured"; exit 1; }
zcat "$prefix/share/man/man1/improves-calc.1.gz" | grep -q '^improves-calc \\- Count the improves'
zcat "$prefix/share/doc/improves-calc/changelog.gz" | head -n 1 | grep -q "^improves-calc ($(grep -o 'release version="[^"]*' "$prefix/share/metainfo/$id.metainfo.xml" | cut -d'"' -f2))"
! readelf -d "$prefix/bin/improves-calc" | grep -Eq 'RPATH|RUNPATH' || { echo "the program carries a library search path"; exit 1; }
identify -format '%wx%h\n' "$prefix/share/icons/hicolor/48x48/apps/$id.png" | grep -qx 48x48
echo "installed tree is complete"
