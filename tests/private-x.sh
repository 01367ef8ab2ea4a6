#!/usr/bin/env bash
# Runs COMMAND on an X server of its own, with a runtime folder of its own
# and no way to the session it was started from (no session bus, no other
# display), and ends the server when COMMAND ends, whatever happens.
# Xvfb picks a free display itself (-displayfd), so that runs side by side
# cannot both take the same one, as picking a number beforehand could.
# -noreset: without it the server resets whenever its last client leaves,
# and drops any client still connecting at that moment ("Connection reset
# by peer"); a window search that comes and goes while the program starts
# is just such a last client.
# usage: private-x.sh WIDTHxHEIGHTxDEPTH COMMAND [ARGS...]
set -euo pipefail
screen=$1
shift

private=$(mktemp -d "${TMPDIR:-/tmp}/improves-x-XXXXXX")
chmod 700 "$private"
server=
end() {
    [ -n "$server" ] && kill "$server" 2>/dev/null
    rm -rf "$private"
}
trap end EXIT

Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$private/display" 2>"$private/xvfb.log" &
server=$!
for _ in $(seq 300); do
    grep -q . "$private/display" 2>/dev/null && break
    kill -0 "$server" 2>/dev/null || break
    sleep 0.1
done
display=$(head -n 1 "$private/display" 2>/dev/null || true)
if [ -z "$display" ]; then
    echo "Xvfb did not start:" >&2
    cat "$private/xvfb.log" >&2
    exit 1
fi

mkdir -m 700 "$private/runtime"
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
status=0
DISPLAY=:$display XDG_RUNTIME_DIR=$private/runtime "$@" || status=$?
if [ "$status" -ne 0 ] && [ -s "$private/xvfb.log" ]; then
    echo "(the X server :$display said:)" >&2
    cat "$private/xvfb.log" >&2
fi
exit "$status"
