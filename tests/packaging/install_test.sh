#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed tree.
# usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
id=org.improvescalc.ImprovesCalc
expected="bin/improves-calc
share/applications/$id.desktop
share/doc/improves-calc/copyright
share/icons/hicolor/128x128/apps/$id.png
share/icons/hicolor/48x48/apps/$id.png
share/icons/hicolor/64x64/apps/$id.png
share/icons/hicolor/scalable/apps/$id.svg
share/metainfo/$id.metainfo.xml"
actual=$(cd "$prefix" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
if [ "$actual" != "$expected" ]; then
    diff <(echo "$expected") <(echo "$actual") || true
    echo "installed tree differs"; exit 1
fi
[ -x "$prefix/bin/improves-calc" ] || { echo "program not executable"; exit 1; }
desktop-file-validate "$prefix/share/applications/$id.desktop"
grep -qx "Exec=improves-calc" "$prefix/share/applications/$id.desktop"
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop"
grep -qx "StartupWMClass=improves-calc" "$prefix/share/applications/$id.desktop"
grep -q "MIT License" "$prefix/share/doc/improves-calc/copyright"
! grep -q "@" "$prefix/share/metainfo/$id.metainfo.xml" || { echo "metainfo not configured"; exit 1; }
identify -format '%wx%h\n' "$prefix/share/icons/hicolor/48x48/apps/$id.png" | grep -qx 48x48
echo "installed tree is complete"
