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
# ccache, where installed, with paths relative to the checkout, so that
# another clone hits the same cache.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"
cmake --preset app "${launcher[@]}" >/dev/null
cmake --build --preset app
exec build/app/ui/improves-calc
