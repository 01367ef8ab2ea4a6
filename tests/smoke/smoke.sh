#!/usr/bin/env bash
# Starts the built program on an X server of its own, waits for its main
# window by title and for the start-up number to be drawn (dark pixels on
# the window's background where the number stands, in a screenshot), ends
# it with "Exit" and expects exit status 0.
# usage: smoke.sh PROGRAM SCREENSHOT.png EXIT_X EXIT_Y NUMBER_X NUMBER_Y NUMBER_W NUMBER_H QUESTION
#   (Exit's centre and the number's place in the window, in pixels, and the
#   title's question, as the layout's facts give them)
set -euo pipefail

if [ -z "${SMOKE_INSIDE_X:-}" ]; then
    exec env SMOKE_INSIDE_X=1 "$(dirname "$0")/../private-x.sh" 640x480x24 "$0" "$@"
fi

program=$1
shot=$2
exit_x=$3
exit_y=$4
number=("${@:5:4}")
title="196 $9"

env -u QT_QPA_PLATFORM "$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

# Visible: mapped. There is no window manager here, so nothing will ever
# activate it.
window=$("$(dirname "$0")/../find-window.sh" --exact "$title" 30) || { echo "no window titled $title"; exit 1; }
echo "window $window is up"
eval "$(xdotool getwindowgeometry --shell "$window")"

# The number's place, read from the screenshot: mostly the colour of the
# window's corner, with enough dark pixels for the digits.
drawn() {
    import -window root "$shot"
    /usr/bin/python3 - "$shot" "$X" "$Y" "${number[@]}" <<'PY'
import sys
from collections import Counter
from PIL import Image
shot, wx, wy, x, y, w, h = sys.argv[1], *map(int, sys.argv[2:])
image = Image.open(shot).convert("RGB")
place = list(image.crop((wx + x, wy + y, wx + x + w, wy + y + h)).getdata())
background = image.getpixel((wx + 1, wy + 1))
dark = sum(1 for r, g, b in place if 0.299 * r + 0.587 * g + 0.114 * b < 64)
common = Counter(place).most_common(1)[0][0]
print(f"number's place: {dark} dark pixels, mostly {common}; the window's corner {background}")
sys.exit(0 if common == background and dark >= 50 else 1)
PY
}
shown=
for _ in $(seq 50); do
    if report=$(drawn); then shown=1; break; fi
    sleep 0.2
done
echo "$report"
[ -n "$shown" ] || { echo "the number is not drawn: screenshot $shot"; exit 1; }
echo "screenshot: $shot"

xdotool mousemove --window "$window" "$exit_x" "$exit_y" click 1
status=0
timeout 10 tail --pid=$pid -f /dev/null || { echo "program did not end on Exit"; exit 1; }
wait $pid || status=$?
trap - EXIT
echo "exit status $status"
[ "$status" -eq 0 ]
