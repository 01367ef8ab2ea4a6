#!/usr/bin/env bash
# Runs a program built for WebAssembly (its .js loader) under node, as
# CMake's cross-compiling emulator. Emscripten 3.1.6's loader and node's own
# fetch disagree, and a node that is not Debian's own looks for emcc's
# modules only where NODE_PATH says. A run is stopped after three minutes,
# inside any limit ctest sets.
set -euo pipefail
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
exec timeout --kill-after=10 180 node --no-experimental-fetch "$@"
