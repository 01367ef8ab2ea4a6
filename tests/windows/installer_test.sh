#!/usr/bin/env bash
# What a Windows player downloads, end to end: the zip's contents and the
# program file's version record, then, in a Wine prefix of its own that
# wine-run.sh prepares (while the packages are made, other tests may be
# making the prefix template), a silent install, the Start-menu shortcut and
# uninstall entry, the installed program's title and its Exit, and a silent
# uninstall.
# usage: installer_test.sh BUILD_DIR VERSION CLIENT_WIDTH CLIENT_HEIGHT EXIT_X EXIT_Y NAME PUBLISHER QUESTION
#   (the main window's client area, and Exit's centre in it, in pixels; the
#   product's name and publisher; the title's question)
set -euo pipefail
fail() { echo "FAILED: $*"; exit 1; }

# The zip and the installer, made and read on the host.
packages() {
    local build=$1 version=$2
    work=$(mktemp -d) # global: the trap reads it at exit
    nsis=
    trap '[ -n "$nsis" ] && kill "$nsis" 2>/dev/null; rm -rf "$work"' EXIT

    # The installer is made while the zip is made and read. It is compressed
    # with zlib rather than the shipped lzma: the same installer script and
    # files in half the time (lzma alone took 14 s).
    timeout 120 cpack --config "$build/CPackConfig.cmake" -G NSIS -D CPACK_NSIS_COMPRESSOR=zlib -B "$work/nsis" \
        >"$work/nsis.log" 2>&1 &
    nsis=$!
    timeout 120 cpack --config "$build/CPackConfig.cmake" -G ZIP -B "$work/out" >"$work/zip.log" 2>&1 ||
        { cat "$work/zip.log"; fail "cpack ZIP"; }
    zip=$(ls "$work"/out/*.zip)
    echo "built $(basename "$zip")"

    python3 - "$zip" <<'PY' || fail "the zip's contents"
import sys, zipfile
names = {n.split("/", 1)[1] for n in zipfile.ZipFile(sys.argv[1]).namelist() if "/" in n and not n.endswith("/")}
wanted = {"improves-calc.exe", "Qt6Core.dll", "Qt6Gui.dll", "Qt6Widgets.dll", "platforms/qwindows.dll",
          "styles/qwindowsvistastyle.dll", "libgcc_s_seh-1.dll", "libstdc++-6.dll", "libwinpthread-1.dll"}
missing = wanted - names
print("zip holds:", ", ".join(sorted(names)))
sys.exit(f"missing: {sorted(missing)}" if missing else 0)
PY
    mkdir "$work/zip" && (cd "$work/zip" && python3 -m zipfile -e "$zip" .)
    exe=$(find "$work/zip" -name improves-calc.exe)
    # (Read whole: grep -q would end the pipe early, which pipefail counts.)
    sections=$(x86_64-w64-mingw32-objdump -h "$exe")
    ! grep -q '\.debug_' <<<"$sections" || fail "the program is not stripped"
    grep -q 'Subsystem.*Windows GUI' <<<"$(x86_64-w64-mingw32-objdump -p "$exe")" || fail "not a GUI program"

    # The version record: VS_FIXEDFILEINFO's file and product versions, then the texts.
    record=$(wrestool -x --raw -t 16 "$exe" | od -A n -v -t x4 | tr -s ' \n' '  ')
    grep -q 'feef04bd 00010000 00010000 00000000 00010000 00000000' <<<"$record" || fail "version numbers are not 1.0.0.0"
    texts=$(wrestool -x --raw -t 16 "$exe" | strings -el)
    for field in "FileVersion" "ProductVersion"; do
        echo "$texts" | grep -A1 -x "$field" | tail -n 1 | grep -qx "$version" || fail "$field is not $version"
    done
    echo "$texts" | grep -A1 -x ProductName | tail -n 1 | grep -qxF "$name" || fail "no product name"
    wrestool -x -t 14 "$exe" >"$work/icon.ico"
    grep -q '32x32.*4-bit' <<<"$(identify "$work/icon.ico")" || fail "icon is not 32 x 32, 16 colours"
    echo "version record: 1.0.0.0, \"$version\", icon 32 x 32 in 16 colours"

    wait "$nsis" || { cat "$work/nsis.log"; fail "cpack NSIS"; }
    nsis=
    installer=$(ls "$work"/nsis/*.exe)
    echo "built $(basename "$installer")"

    WINE_RUN_RAW=1 WINE_RUN_XVFB=1 "$(dirname "$0")/wine-run.sh" "$0" --in-wine "$installer" "$version" "${facts[@]}"
}

# The uninstall entry's values, as Wine wrote the machine's registry out
# when its server ended (read from the file: reg.exe costs a Wine start).
uninstall_entry() {
    key="[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\$name]" \
        awk 'index($0, ENVIRON["key"] " ") == 1 { inside = 1; next } /^\[/ { inside = 0 } inside && /^"/' \
        "$WINEPREFIX/system.reg"
}

# The installer and what it installs, inside the Wine prefix.
in_wine() {
    local installer=$1 version=$2
    calc= # global: the trap reads it at exit
    trap '[ -n "$calc" ] && kill "$calc" 2>/dev/null || true' EXIT
    timeout 60 wine "$installer" /S && timeout 30 wineserver -w
    home="$WINEPREFIX/drive_c/Program Files/$name"
    for f in improves-calc.exe Qt6Widgets.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll Uninstall.exe; do
        [ -f "$home/$f" ] || fail "not installed: $f"
    done
    [ -n "$(find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name "$name.lnk")" ] || fail "no Start-menu shortcut"
    entry=$(uninstall_entry)
    grep -qxF "\"DisplayName\"=\"$name\"" <<<"$entry" || fail "no uninstall entry: $entry"
    grep -qx "\"DisplayVersion\"=\"$version\"" <<<"$entry" || fail "uninstall entry version: $entry"
    grep -qxF "\"Publisher\"=\"$publisher\"" <<<"$entry" || fail "uninstall entry publisher: $entry"
    grep -q '^"DisplayIcon"=".*improves-calc.exe"$' <<<"$entry" || fail "uninstall entry icon: $entry"
    echo "installed, with a Start-menu shortcut and an uninstall entry"

    # The installed program on the windows platform: its X window's title, then Exit.
    timeout 60 wine "$home/improves-calc.exe" &
    calc=$!
    title="196 $question"
    window=$("$(dirname "$0")/../find-window.sh" --exact "$title" 60) || fail "no window titled \"$title\""
    grep -qF "\"$title\"" <<<"$(xprop -id "$window" _NET_WM_NAME WM_NAME)" || fail "X window title"
    # Without a window manager, any frame Wine draws lies inside the X window:
    # the client area sits at its bottom, between equal borders.
    local client_width=${facts[0]} client_height=${facts[1]} exit_x=${facts[2]} exit_y=${facts[3]}
    eval "$(xdotool getwindowgeometry --shell "$window")"
    border=$(( (WIDTH - client_width) / 2 ))
    xdotool mousemove --window "$window" $(( border + exit_x )) $(( HEIGHT - border - client_height + exit_y )) click 1
    timeout 20 tail --pid="$calc" -f /dev/null || fail "Exit did not end the program"
    status=0
    wait "$calc" || status=$?
    calc=
    [ "$status" -eq 0 ] || fail "exit status $status"
    echo "title \"$title\"; Exit ends it with 0"

    timeout 60 wine "$home/Uninstall.exe" /S "_?=C:\\Program Files\\$name" && timeout 30 wineserver -w
    [ ! -e "$home/improves-calc.exe" ] || fail "uninstall left the program"
    [ -z "$(uninstall_entry)" ] || fail "uninstall left its entry"
    echo "uninstalled"
}

if [ "${1:-}" = --in-wine ]; then
    facts=("${@:4:7}")
else
    facts=("${@:3:7}")
fi
name=${facts[4]} publisher=${facts[5]} question=${facts[6]}
if [ "${1:-}" = --in-wine ]; then
    in_wine "$2" "$3"
else
    packages "$1" "$2"
fi
