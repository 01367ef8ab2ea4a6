#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test, first under the
# sanitizers (dev preset), then as released, then the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test

source scripts/compiler-cache.sh

for preset in dev release; do
    echo "== $preset"
    cmake --preset "$preset" "${launcher[@]}"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done

echo "== windows"
scripts/windows-build.sh --test
