#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test, first under the
# sanitizers (dev preset), then as released.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test

# ccache, where installed, keeps compiled objects from one run to the next,
# with paths relative to the checkout, so that another clone hits them too.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"

for preset in dev release; do
    echo "== $preset"
    cmake --preset "$preset" "${launcher[@]}"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
