#!/usr/bin/env bash
# Builds, from the commit checked out, all that a release carries into
# build/dist: the .deb, the Windows zip and 64-bit installer, the web page's
# zip, this version's notes (from CHANGELOG.md) and SHA256SUMS. The version
# is the one set at the top of CMakeLists.txt. A tree with changes not
# committed is refused: what ships is what the commit holds. Every archive
# takes its times from the commit (SOURCE_DATE_EPOCH), so that two runs of
# one commit, in any clone, give the same files.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! changes=$(git status --porcelain 2>&1); then
    echo "release.sh: a release is made from a git clone: $changes" >&2
    exit 1
fi
if [ -n "$changes" ]; then
    echo "release.sh: the tree has changes that are not committed, and a release is made from a commit:" >&2
    echo "$changes" >&2
    exit 1
fi
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
scripts/install-deps.sh release

cmake --preset package >/dev/null
cmake --build --preset package
cpack --preset deb
scripts/windows-build.sh --package
scripts/web-build.sh

source build/package/release.env # IMPROVES_VERSION
dist=build/dist
rm -rf "$dist"
mkdir -p "$dist"
cp "build/package/improves-calc_${IMPROVES_VERSION}_amd64.deb" \
   "build/windows/improves-calc-${IMPROVES_VERSION}-windows-x64.zip" \
   "build/windows/improves-calc-${IMPROVES_VERSION}-windows-x64.exe" \
   "build/web/improves-calc-${IMPROVES_VERSION}-web.zip" "$dist"
cp build/package/release-notes.md "$dist/improves-calc-${IMPROVES_VERSION}-notes.md"
(cd "$dist" && sha256sum -- * >SHA256SUMS)
echo "Release ${IMPROVES_VERSION} in $dist:"
cat "$dist/SHA256SUMS"
