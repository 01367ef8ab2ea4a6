#!/usr/bin/env bash
# Runs a Windows program under Wine, as CMake's cross-compiling emulator: in
# a Wine prefix of its own, with runtime folders of its own and no display
# but a private one, and ends its Wine server whatever happens.
#   usage: wine-run.sh PROGRAM.exe [ARGS...]
#          wine-run.sh --template   (only make the template, ahead of the tests)
#   WINE_RUN_XVFB=1   run on a private X server (the windows platform needs one)
#   WINE_RUN_TIMEOUT  seconds before the run is stopped (180), inside ctest's
#                     own limit, so that this script still ends Wine
#   WINE_RUN_RAW=1    run COMMAND [ARGS...] itself in the prepared prefix, for
#                     scripts that call wine several times
# The prefix is a linked copy of a template made once beside the build
# (wineboot takes 15 s; a linked copy a tenth of a second).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$here/../../build
source "$here/../../scripts/windows/toolchain.sh"
qt=$build/$qt_windows_link
template=$build/wine-template

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
private=$(mktemp -d "${TMPDIR:-/tmp}/improves-wine-XXXXXX")
chmod 700 "$private"
export XDG_RUNTIME_DIR=$private/runtime XDG_CACHE_HOME=$private/cache
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CACHE_HOME"
trap 'rm -rf "$private"' EXIT

mkdir -p "$build"
(
    flock 9
    if [ ! -f "$template/system.reg" ]; then
        rm -rf "$template.new"
        WINEPREFIX=$template.new timeout 120 wineboot -i >/dev/null 2>&1
        WINEPREFIX=$template.new timeout 60 wineserver -w
        mv "$template.new" "$template"
    fi
) 9>"$build/wine-template.lock"
[ "${1:-}" = --template ] && exit 0

export WINEPREFIX=$private/prefix
end() {
    wineserver -k 2>/dev/null || true
    rm -rf "$private"
}
trap end EXIT
# Wine rewrites its registry files in place: those are real copies.
cp -al "$template" "$WINEPREFIX"
for reg in "$WINEPREFIX"/*.reg; do
    cp --remove-destination "$template/$(basename "$reg")" "$reg"
done

# Wine passes no QT_ variable to the program: it takes them as WINEQT_.
while IFS='=' read -r name value; do
    export "WINE$name=$value"
done < <(env | grep '^QT_' || true)
export WINEQT_FORCE_STDERR_LOGGING=1 WINEQT_QPA_FONTDIR=/usr/share/fonts/truetype/liberation
winpath() { printf 'Z:%s' "$(cd "$1" && pwd)" | tr / '\\'; }
export WINEQT_PLUGIN_PATH=$(winpath "$qt/plugins")
export WINEPATH="$(winpath "$qt/bin");$(winpath "$(mingw_runtime)");$(winpath /usr/x86_64-w64-mingw32/lib)"

run=(wine)
[ "${WINE_RUN_RAW:-}" = 1 ] && run=()
[ "${WINE_RUN_XVFB:-}" = 1 ] && run=("$here/../private-x.sh" 1024x768x24 "${run[@]}")
status=0
timeout --kill-after=10 "${WINE_RUN_TIMEOUT:-180}" "${run[@]}" "$@" || status=$?
[ "$status" -eq 124 ] && echo "wine-run.sh: stopped after ${WINE_RUN_TIMEOUT:-180} s" >&2
exit "$status"
