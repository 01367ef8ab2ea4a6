#!/usr/bin/env bash
# The web stage: the web preset configured and built with emscripten: the
# site in build/web/site and its zip in build/web (with --test, its tests
# run under node and headless Chromium; with --serve, the site served on
# 127.0.0.1 to try in a browser).
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in em++:emscripten pyftsubset:fonttools rsvg-convert:librsvg2-bin; do
    if ! command -v "${tool%%:*}" >/dev/null; then
        echo "The web build needs ${tool%%:*}: install the Debian package ${tool#*:}" >&2
        echo "(scripts/install-deps.sh web installs all it needs)." >&2
        exit 1
    fi
done
cmake --preset web >/dev/null
cmake --build --preset web
case "${1:-}" in
--test) ctest --preset web ;;
--serve)
    port=${2:-8000}
    echo "The calculator: http://127.0.0.1:$port/ (Ctrl+C ends the server)"
    exec python3 -m http.server --bind 127.0.0.1 "$port" --directory build/web/site
    ;;
esac
