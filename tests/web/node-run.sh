#!/usr/bin/env bash
# Runs a program built for WebAssembly (its .js loader) under node, as
# CMake's cross-compiling emulator. Emscripten 3.1.6's loader and node's own
# fetch disagree, and a node that is not Debian's own looks for emcc's
# modules only where NODE_PATH says.
set -euo pipefail
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
exec node --no-experimental-fetch "$@"
