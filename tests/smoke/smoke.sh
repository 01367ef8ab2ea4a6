#!/usr/bin/env bash
# Starts the built program in a real X server, waits for its main window by
# title, takes a screenshot, ends it with "Exit" and expects exit status 0.
# usage: smoke.sh PROGRAM SCREENSHOT.png EXIT_X EXIT_Y   (Exit's centre in the window, in pixels)
set -euo pipefail

if [ -z "${SMOKE_INSIDE_X:-}" ]; then
    exec env SMOKE_INSIDE_X=1 xvfb-run -a -s "-screen 0 640x480x24" "$0" "$@"
fi

program=$1
shot=$2
exit_x=$3
exit_y=$4
title='^196 How many improves for my next level\?$'

env -u QT_QPA_PLATFORM "$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

# --onlyvisible waits for the window to be mapped; there is no window
# manager here, so nothing will ever activate it.
window=$(timeout 30 xdotool search --sync --onlyvisible --name "$title" | head -n 1)
echo "window $window is up"
sleep 0.5 # let the first paint land before the screenshot
import -window root "$shot"
echo "screenshot: $shot"

xdotool mousemove --window "$window" "$exit_x" "$exit_y" click 1
status=0
timeout 10 tail --pid=$pid -f /dev/null || { echo "program did not end on Exit"; exit 1; }
wait $pid || status=$?
trap - EXIT
echo "exit status $status"
[ "$status" -eq 0 ]
