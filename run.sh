#!/usr/bin/env bash
# Installs what is missing, builds the release preset and starts the calculator.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display to show the calculator on (neither DISPLAY nor WAYLAND_DISPLAY is set)" >&2
    exit 1
fi

cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/ui/improves-calc
