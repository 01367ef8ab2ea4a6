#!/usr/bin/env bash
# Installs what is missing, builds the calculator alone (no tests or
# benchmarks) and starts it.
set -euo pipefail
cd "$(dirname "$0")"

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display to show the calculator on (neither DISPLAY nor WAYLAND_DISPLAY is set)" >&2
    exit 1
fi

scripts/install-deps.sh run
cmake --preset app >/dev/null
cmake --build --preset app
exec build/app/ui/improves-calc
