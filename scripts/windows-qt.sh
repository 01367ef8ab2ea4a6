#!/usr/bin/env bash
# Makes Qt for 64-bit Windows ready at build/qt-windows, the path the
# windows preset's toolchain file names: unpacked from ../shared/toolchains
# when it holds the prebuilt tree, otherwise built here from Debian's qt6-base
# source with scripts/windows/build-qt-mingw-w64.sh. Then points it at host
# tools (moc, rcc, uic) of its own version: those the tree carries, the
# system's where its Qt is that version (Debian 12), or else tools built here
# with scripts/windows/build-qt-host-tools.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/windows/toolchain.sh
tree=build/$qt_windows
# Host tools chosen before still serve only while they are of the tree's
# version: the system's moc changes with an upgrade of the release.
if [ -f "$tree/.host-tools" ] && [ -f "build/$qt_windows_link/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
    kept=$(cat "$tree/.host-tools")
    [ "$("$kept/libexec/moc" -v 2>/dev/null || "$kept/lib/qt6/libexec/moc" -v 2>/dev/null)" = "moc $qt_windows_version" ] && exit 0
    echo "The host tools kept for Qt $qt_windows_version in $kept are not of that version now: choosing again."
    rm "$tree/.host-tools"
fi
mkdir -p build
shared=../shared/toolchains/$qt_windows.tar.xz
if [ -f "$tree/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
    : # unpacked before
elif [ -f "$shared" ]; then
    echo "Unpacking Qt for Windows from $shared"
    tar -xJf "$shared" -C build
else
    echo "No prebuilt Qt for Windows in ../shared/toolchains: building it from Debian's"
    echo "qt6-base source (about 45 minutes on 2 cores, and 10 GB of disk)."
    start=$(date +%s)
    scripts/windows/build-qt-mingw-w64.sh "$PWD/build/qt-mingw-w64-work"
    tar -xJf "build/qt-mingw-w64-work/$qt_windows.tar.xz" -C build
    echo "Qt for Windows built in $(( ($(date +%s) - start) / 60 )) minutes."
fi

system_moc=/usr/lib/qt6/libexec/moc
if [ -x "$tree/host/libexec/moc" ]; then
    host=$PWD/$tree/host
    cmake_dir=$host/lib/cmake
elif [ "$("$system_moc" -v 2>/dev/null)" = "moc $qt_windows_version" ]; then
    host=/usr
    cmake_dir=/usr/lib/$(gcc -print-multiarch)/cmake
else
    host=$PWD/build/qt-$qt_windows_version-host
    cmake_dir=$host/lib/cmake
    if [ ! -x "$host/libexec/moc" ]; then
        echo "This system's Qt is not $qt_windows_version (${system_moc}: $("$system_moc" -v 2>&1 || true)):"
        echo "building Qt $qt_windows_version's host tools from Debian's source."
        start=$(date +%s)
        scripts/windows/build-qt-host-tools.sh "$PWD/build/qt-host-work" "$host"
        rm -rf build/qt-host-work/host-build build/qt-host-work/qtbase-everywhere-src-*
        echo "Host tools built in $(( $(date +%s) - start )) s."
    fi
fi
# Where the tree looks for its host tools unless told otherwise.
sed -i -e "s|^set(__qt_platform_initial_qt_host_path \".*\")|set(__qt_platform_initial_qt_host_path \"$host\")|" \
       -e "s|^set(__qt_platform_initial_qt_host_path_cmake_dir \".*\")|set(__qt_platform_initial_qt_host_path_cmake_dir \"$cmake_dir\")|" \
       "$tree/lib/cmake/Qt6/Qt6Dependencies.cmake"
echo "$host" >"$tree/.host-tools"
ln -sfn "$qt_windows" "build/$qt_windows_link"
