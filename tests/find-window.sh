#!/usr/bin/env bash
# Prints the id of the first visible X window whose name matches REGEX,
# asking again until one is there or SECONDS have passed (then fails).
# A window that goes away while xdotool walks the tree makes that one
# search fail with an X error (Wine makes and drops such windows while a
# program starts), so each search is only a try.
# usage: find-window.sh REGEX SECONDS
#        find-window.sh --exact NAME SECONDS
set -uo pipefail
if [ "$1" = --exact ]; then
    shift
    set -- "^$(sed 's/[][\.*^$?+(){}|]/\\&/g' <<<"$1")\$" "$2"
fi
deadline=$((SECONDS + $2))
while :; do
    window=$(timeout 10 xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
    if [ -n "$window" ]; then
        echo "$window"
        exit 0
    fi
    [ "$SECONDS" -ge "$deadline" ] && exit 1
    sleep 0.2
done
