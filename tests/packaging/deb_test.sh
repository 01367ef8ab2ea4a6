#!/usr/bin/env bash
# Checks the .deb the deb_build test made in BUILD_DIR/deb, unpacks it into
# a throwaway root and runs its program.
# usage: deb_test.sh BUILD_DIR SMOKE_SCRIPT VERSION PLACES...
#   (PLACES: what smoke.sh takes after the screenshot)
set -euo pipefail
build=$1
smoke=$2
version=$3
places=("${@:4}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

deb=$(ls "$build"/deb/*.deb)
echo "built $(basename "$deb")"

[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || { echo "wrong version"; exit 1; }
[ "$(dpkg-deb -f "$deb" Section)" = "utils" ] || { echo "wrong section"; exit 1; }
# Debian's own checks, at their default profile: no error and no warning.
timeout 120 lintian --fail-on error,warning "$deb"
echo "lintian: clean"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
echo "$depends" | grep -q 'libqt6widgets6' || { echo "no Qt dependency computed"; exit 1; }
echo "$depends" | grep -qF 'fonts-liberation-sans-narrow | fonts-liberation (<< 1:2)' || { echo "no dependency that brings Liberation Sans Narrow on every release"; exit 1; }
[ "$(dpkg-deb -f "$deb" Recommends)" = "qt6-wayland" ] || { echo "qt6-wayland not recommended"; exit 1; }
dpkg-deb -c "$deb" >"$work/contents"
grep -q './usr/share/doc/improves-calc/copyright$' "$work/contents" || { echo "no copyright file"; exit 1; }
if echo "$depends" | grep -Eq 'gtest|gmock|benchmark|Test'; then
    echo "a test library leaked into Depends"; exit 1
fi
if grep -Eq '_test|bench' "$work/contents"; then
    echo "a test program is in the package"; exit 1
fi

dpkg -x "$deb" "$work/root"
"$smoke" "$work/root/usr/bin/improves-calc" "$work/deb-screenshot.png" "${places[@]}"
