#!/usr/bin/env bash
# Builds Qt for WebAssembly as the tarball toolchain.sh names: Qt 6.4.2 (Core, Gui, Widgets, OpenGL, Test; the wasm platform) built
# statically for WebAssembly with Debian 12's emscripten 3.1.6 (Qt 6.4 names 3.1.14: configure only
# warns), from Debian's own qt6-base source and the host Qt tools of qt6-base-dev (QT_HOST_PATH=/usr).
# One source patch (an include). The shared toolchain's recipe, less the Qt features the calculator does not use
# (the last switches below), which the web page would otherwise download. Without precompiled
# headers: Qt's own include every header of a module, also those of features turned off. About 10
# minutes on 2 cores. Run as root on Debian 12.
# usage: build-qt-wasm.sh [WORK_DIR]   -> WORK_DIR/<name>.tar.xz
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=${1:-$PWD/qt-wasm}
source "$here/toolchain.sh"
name=$qt_wasm
mkdir -p "$work" && cd "$work"

# deb-src for Debian's archive, so that apt-get source finds qt6-base.
if [ -z "$(apt-cache showsrc qt6-base 2>/dev/null)" ]; then
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > /etc/apt/sources.list.d/debian-src.sources
  apt-get update -qq
fi
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  emscripten qt6-base-dev qt6-base-dev-tools cmake ninja-build perl xz-utils dpkg-dev

[ -f qt6-base_6.4.2+dfsg.orig.tar.xz ] || apt-get source --download-only qt6-base=6.4.2+dfsg-10
src=qtbase-everywhere-src-6.4.2
if [ ! -d "$src" ]; then
  tar xJf qt6-base_6.4.2+dfsg.orig.tar.xz
  # Built without precompiled headers, one wasm source misses an include that the precompiled
  # header gave it.
  patch -d "$src" -p1 < "$here/qt-6.4.2-wasm-includes.patch"
fi

# Qt's wasm CMake code runs emcc through an emsdk layout (toolchain.sh). Programs built with this Qt
# need EMSDK pointing at one too (or
# -DQT_CHAINLOAD_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake).
emsdk_links "$work/emsdk"
export EMSDK=$work/emsdk
# A node that is not Debian's own does not search Debian's node modules (acorn, which emcc's -O2 uses).
export NODE_PATH=/usr/share/nodejs

prefix=$work/$name
# The wasm platform draws through WebGL, so OpenGL stays on.
cmake -G Ninja -S "$src" -B build \
  -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
  -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF \
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
  -DFEATURE_freetype=ON -DFEATURE_harfbuzz=ON -DFEATURE_png=ON \
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_zstd=OFF -DBUILD_WITH_PCH=OFF \
  -DFEATURE_style_stylesheet=OFF -DFEATURE_cssparser=OFF -DFEATURE_texthtmlparser=OFF \
  -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF -DFEATURE_textodfwriter=OFF \
  -DFEATURE_graphicsview=OFF -DFEATURE_graphicseffect=OFF -DFEATURE_gestures=OFF -DFEATURE_scroller=OFF \
  -DFEATURE_filedialog=OFF -DFEATURE_colordialog=OFF -DFEATURE_fontdialog=OFF -DFEATURE_inputdialog=OFF \
  -DFEATURE_progressdialog=OFF -DFEATURE_errormessage=OFF -DFEATURE_wizard=OFF \
  -DFEATURE_textedit=OFF -DFEATURE_textbrowser=OFF -DFEATURE_syntaxhighlighter=OFF \
  -DFEATURE_dockwidget=OFF -DFEATURE_mdiarea=OFF \
  -DFEATURE_statusbar=OFF -DFEATURE_statustip=OFF -DFEATURE_toolbox=OFF \
  -DFEATURE_tabwidget=OFF -DFEATURE_tabbar=OFF -DFEATURE_splitter=OFF -DFEATURE_splashscreen=OFF \
  -DFEATURE_calendarwidget=OFF -DFEATURE_datetimeedit=OFF -DFEATURE_keysequenceedit=OFF \
  -DFEATURE_lcdnumber=OFF -DFEATURE_dial=OFF -DFEATURE_progressbar=OFF -DFEATURE_commandlinkbutton=OFF \
  -DFEATURE_fontcombobox=OFF -DFEATURE_treewidget=OFF -DFEATURE_tablewidget=OFF -DFEATURE_listwidget=OFF \
  -DFEATURE_treeview=OFF -DFEATURE_tableview=OFF -DFEATURE_columnview=OFF -DFEATURE_datawidgetmapper=OFF \
  -DFEATURE_undoview=OFF -DFEATURE_undocommand=OFF -DFEATURE_undostack=OFF -DFEATURE_undogroup=OFF \
  -DFEATURE_fscompleter=OFF -DFEATURE_filesystemmodel=OFF -DFEATURE_sizegrip=OFF \
  -DFEATURE_movie=OFF -DFEATURE_picture=OFF -DFEATURE_pdf=OFF -DFEATURE_ico=OFF \
  -DFEATURE_imageformat_bmp=OFF -DFEATURE_imageformat_ppm=OFF -DFEATURE_imageformat_xbm=OFF \
  -DFEATURE_systemtrayicon=OFF -DFEATURE_sessionmanager=OFF -DFEATURE_tabletevent=OFF \
  -DFEATURE_xmlstream=OFF -DFEATURE_xmlstreamreader=OFF \
  -DFEATURE_xmlstreamwriter=OFF -DFEATURE_mimetype_database=OFF \
  -DFEATURE_jalalicalendar=OFF -DFEATURE_hijricalendar=OFF \
  -DFEATURE_islamiccivilcalendar=OFF -DFEATURE_timezone=OFF -DFEATURE_commandlineparser=OFF \
  -DFEATURE_sharedmemory=OFF -DFEATURE_systemsemaphore=OFF -DFEATURE_settings=OFF \
  -DFEATURE_filesystemwatcher=OFF -DFEATURE_translation=OFF -DFEATURE_harfbuzz=OFF
cmake --build build --parallel "$(nproc)"
cmake --install build
XZ_OPT=-9 tar --owner=0 --group=0 --sort=name -cJf "$work/$name.tar.xz" "$name"
sha256sum "$work/$name.tar.xz"
