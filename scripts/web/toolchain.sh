# The web build's toolchain, named once; sourced by the scripts that make or
# build with it. The web preset reads Qt through build/qt-wasm and emscripten
# through build/emsdk, whatever their versions.
qt_wasm=qt-6.4.2-wasm-lean # Qt for WebAssembly: the tarball's name and the folder it holds
qt_wasm_link=qt-wasm       # beside it in build/, the name the preset uses

# Qt's wasm CMake code expects an emsdk layout: it reads $EMSDK/.emscripten
# and runs $EMSDK/upstream/emscripten/emcc. Debian installs emscripten under
# /usr/share/emscripten; a folder of links at DIR stands in for the emsdk.
emsdk_links() {
    local emsdk=$1
    mkdir -p "$emsdk/upstream/emscripten"
    echo "EMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'" >"$emsdk/.emscripten"
    ln -sfn /usr/bin/emcc "$emsdk/upstream/emscripten/emcc"
    ln -sfn /usr/share/emscripten/cmake "$emsdk/upstream/emscripten/cmake"
    ln -sfn /usr/share/emscripten/emranlib.py "$emsdk/upstream/emscripten/emranlib.py"
}
