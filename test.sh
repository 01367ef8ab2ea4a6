#!/usr/bin/env bash
# Installs what is missing, then builds and tests three ways: under the
# sanitizers (dev preset), as released, and the Windows build under Wine.
# Each build has both cores. Each preset's tests, which spend much of their
# time waiting on displays, buses and Wine, run while the next preset
# builds; the test reports are printed at the end.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test
source scripts/compiler-cache.sh

logs=build/test-logs
rm -rf "$logs" && mkdir -p "$logs"
groups=()
trap 'for g in "${groups[@]}"; do kill -- "-$g" 2>/dev/null || true; done' EXIT
# Starts "$@" in a process group of its own, writing to $logs/NAME.log.
start() {
    local name=$1
    shift
    setsid "$@" >"$logs/$name.log" 2>&1 &
    groups+=("$!")
    eval "pid_$name=$!"
}

# Wine's prefix template: 14 s, mostly waiting, made while things build.
start wine_template tests/windows/wine-run.sh --template

# The Windows tests take longest, so they start first; the release tests,
# which mostly wait, last.
echo "== windows: build"
scripts/windows-build.sh
start windows ctest --preset windows

for preset in dev release; do
    echo "== $preset: build"
    cmake --preset "$preset" "${launcher[@]}" >/dev/null
    cmake --build --preset "$preset"
    start "$preset" ctest --preset "$preset"
done

status=0
wait "$pid_wine_template" || { status=1; cat "$logs/wine_template.log"; }
for preset in windows dev release; do
    pid=pid_$preset
    wait "${!pid}" || status=1
    echo "== $preset: tests"
    cat "$logs/$preset.log"
done
exit "$status"
