#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test, first under the
# sanitizers (dev preset), then as released.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test

for preset in dev release; do
    echo "== $preset"
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
