#!/usr/bin/env bash
# Builds the host tools (moc, rcc, uic and the rest) of Qt for Windows's own
# version, for the machine this runs on, and installs them with their CMake
# packages in PREFIX. What moc writes only compiles against the Qt of its own
# version, so a host whose Qt is another version (Debian 13's 6.8) cannot
# build for Qt 6.4.2 with its own tools. Core and the tools alone, none of
# the GUI libraries: about 10 minutes on 2 cores.
# usage: build-qt-host-tools.sh WORK_DIR PREFIX
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/toolchain.sh"
work=$1
prefix=$2
mkdir -p "$work"
work=$(cd "$work" && pwd)

qt_windows_source "$work"
cmake -G Ninja -S "$work/qtbase-everywhere-src-$qt_windows_version" -B "$work/host-build" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_gui=OFF -DFEATURE_widgets=OFF -DFEATURE_network=OFF -DFEATURE_sql=OFF \
    -DFEATURE_dbus=OFF -DFEATURE_testlib=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_icu=OFF \
    -DFEATURE_glib=OFF -DFEATURE_zstd=OFF -DFEATURE_libudev=OFF \
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_doubleconversion=OFF \
    -Wno-dev >"$work/host-build.log" 2>&1 &&
    cmake --build "$work/host-build" --parallel "$(nproc)" >>"$work/host-build.log" 2>&1 &&
    cmake --install "$work/host-build" >>"$work/host-build.log" 2>&1 ||
    { tail -n 40 "$work/host-build.log" >&2; exit 1; }
