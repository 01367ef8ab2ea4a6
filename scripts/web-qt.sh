#!/usr/bin/env bash
# Makes Qt for WebAssembly ready at build/qt-wasm, the path the web preset's
# toolchain file names, with the emsdk-layout folder of links that Qt's
# CMake code expects at build/emsdk (scripts/web/toolchain.sh).
#
# The page downloads all of Qt it links, so it uses Qt built without the
# features the calculator does not use (scripts/web/build-qt-wasm.sh). That
# build is taken from ../shared/toolchains when it is there, else from this
# machine's cache (where a clone of the project finds it too), else built
# here from Debian's qt6-base source and kept in the cache.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/web/toolchain.sh
name=$qt_wasm
cache=${XDG_CACHE_HOME:-${HOME:-/root}/.cache}/improves-calc
mkdir -p build
emsdk_links build/emsdk

[ -f "build/$qt_wasm_link/lib/cmake/Qt6/qt.toolchain.cmake" ] && exit 0
tarball=
for candidate in "../shared/toolchains/$name.tar.xz" "$cache/$name.tar.xz"; do
    if [ -f "$candidate" ]; then
        tarball=$candidate
        break
    fi
done
if [ -z "$tarball" ]; then
    echo "No $name.tar.xz in ../shared/toolchains or $cache: building Qt for WebAssembly"
    echo "from Debian's qt6-base source (about 10 minutes on 2 cores; once for this machine)."
    start=$(date +%s)
    scripts/web/build-qt-wasm.sh "$PWD/build/qt-wasm-work"
    mkdir -p "$cache"
    cp "build/qt-wasm-work/$name.tar.xz" "$cache/"
    tarball=$cache/$name.tar.xz
    echo "Qt for WebAssembly built in $(( ($(date +%s) - start) / 60 )) minutes, kept in $cache."
fi
echo "Unpacking Qt for WebAssembly from $tarball"
rm -rf "build/$name"
tar -xJf "$tarball" -C build
ln -sfn "$name" "build/$qt_wasm_link"
