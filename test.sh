#!/usr/bin/env bash
# Installs what is missing, then builds and tests four ways: under the
# sanitizers (dev preset), as released, the Windows build under Wine, and
# the web page under node and in Chromium, WebKit and Firefox.
# Each build has both cores. Each preset's tests, which spend much of their
# time waiting on displays, buses and Wine, run while the next preset
# builds; the test reports are printed at the end.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test

# What the source tree holds besides the builds, to show at the end that no
# test wrote into it.
tree_state() { git status --porcelain --ignored=traditional 2>/dev/null | grep -v -e ' build/$' -e ' shots/$' || true; }
tree_before=$(tree_state)

logs=build/test-logs
rm -rf "$logs" && mkdir -p "$logs"
declare -A started # name -> the background job to wait for
# Ends every process group started, by the group each one recorded.
end_started() {
    for name in "${!started[@]}"; do
        kill -- "-$(cat "$logs/$name.pgid" 2>/dev/null)" 2>/dev/null || true
    done
}
trap end_started EXIT
# Starts "$@" as NAME in a process group of its own, writing to $logs/NAME.log.
# setsid forks when it is a group leader already; with --wait it hands back
# the command's status either way, and the command, as the new group's
# leader, records the group's id.
start() {
    local name=$1
    shift
    setsid --wait bash -c 'echo $$ >"$0" && exec "$@"' "$logs/$name.pgid" "$@" >"$logs/$name.log" 2>&1 &
    started[$name]=$!
}
# Each stage's wall time, printed at the end: the builds in turn, and each
# preset's tests as ctest timed them.
declare -A took
timed() {
    local name=$1 from=$SECONDS
    shift
    "$@"
    took[$name]=$((SECONDS - from))
}

# Wine's prefix template: 14 s, mostly waiting, made while things build.
start wine_template tests/windows/wine-run.sh --template

# The Windows tests take longest, so they start first.
echo "== windows: build"
timed "windows build" scripts/windows-build.sh
start windows ctest --preset windows

# The web page: its tests wait on a browser.
echo "== web: build"
timed "web build" scripts/web-build.sh
start web ctest --preset web

echo "== dev: build"
cmake --preset dev >/dev/null
timed "dev build" cmake --build --preset dev
start dev ctest --preset dev

# The release program's desktop and package tests need only the program and
# its documents: they run while the rest of that build compiles.
echo "== release: build"
cmake --preset release >/dev/null
timed "release program" cmake --build --preset release --target improves-calc packaging_docs
start release_desktop ctest --preset release -L 'desktop|package'
timed "release build" cmake --build --preset release
start release ctest --preset release -LE 'desktop|package'

status=0
wait "${started[wine_template]}" || { status=1; cat "$logs/wine_template.log"; }
for tests in windows web dev release_desktop release; do
    wait "${started[$tests]}" || status=1
    took["$tests tests"]=$(sed -n 's/^Total Test time (real) = *\([0-9]*\).*/\1/p' "$logs/$tests.log")
    echo "== $tests: tests"
    cat "$logs/$tests.log"
done
echo "== wall time: each stage, and each test over 10 s (stages overlap; $SECONDS s in all)"
for stage in "windows build" "web build" "dev build" "release program" "release build" \
             "windows tests" "web tests" "dev tests" "release_desktop tests" "release tests"; do
    printf '%6s s  %s\n' "${took[$stage]:-?}" "$stage"
done
for tests in windows web dev release_desktop release; do
    sed -n "s/^ *[0-9]*\/[0-9]* Test *#[0-9]*: \([^ ]*\) .* \([0-9.]*\) sec$/\2 \1 ($tests)/p" "$logs/$tests.log"
done | awk '$1 > 10 { printf "%6.0f s  %s %s\n", $1, $2, $3 }' | sort -rn
tree_after=$(tree_state)
if [ "$tree_after" != "$tree_before" ]; then
    echo "== source tree: the tests left files in it:"
    diff <(echo "$tree_before") <(echo "$tree_after") | grep '^>' || true
    status=1
else
    echo "== source tree: as the tests found it"
fi
exit "$status"
