#!/usr/bin/env bash
# The Windows stage: Qt for Windows made ready, then the windows preset
# configured and built (and, with --test, its tests run under Wine, or with
# --package, the zip and the installer made in build/windows).
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64-posix wine:"wine wine64" makensis:nsis wrestool:icoutils; do
    if ! command -v "${tool%%:*}" >/dev/null; then
        echo "The Windows build needs ${tool%%:*}: install the Debian package(s) ${tool#*:}" >&2
        echo "(scripts/install-deps.sh windows installs all it needs)." >&2
        exit 1
    fi
done
scripts/windows-qt.sh
cmake --preset windows
cmake --build --preset windows
case "${1:-}" in
--test) ctest --preset windows ;;
--package) cpack --preset windows && ls -l build/windows/*.zip build/windows/*.exe ;;
esac
