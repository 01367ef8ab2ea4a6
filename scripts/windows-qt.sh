#!/usr/bin/env bash
# Makes Qt for 64-bit Windows ready at build/qt-windows, the path the
# windows preset's toolchain file names: unpacked from ../shared/toolchains
# when it holds the prebuilt tree, otherwise built here from Debian's qt6-base
# source with scripts/windows/build-qt-mingw-w64.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/windows/toolchain.sh
[ -f "build/$qt_windows_link/lib/cmake/Qt6/qt.toolchain.cmake" ] && exit 0
mkdir -p build
shared=../shared/toolchains/$qt_windows.tar.xz
if [ -f "build/$qt_windows/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
    : # unpacked before
elif [ -f "$shared" ]; then
    echo "Unpacking Qt for Windows from $shared"
    tar -xJf "$shared" -C build
else
    echo "No prebuilt Qt for Windows in ../shared/toolchains: building it from Debian's"
    echo "qt6-base source (about 40 minutes on 2 cores, and 10 GB of disk)."
    start=$(date +%s)
    scripts/windows/build-qt-mingw-w64.sh "$PWD/build/qt-mingw-w64-work"
    tar -xJf "build/qt-mingw-w64-work/$qt_windows.tar.xz" -C build
    echo "Qt for Windows built in $(( ($(date +%s) - start) / 60 )) minutes."
fi
ln -sfn "$qt_windows" "build/$qt_windows_link"
