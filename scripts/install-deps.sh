#!/usr/bin/env bash
# Installs the Debian packages that are missing for one purpose (Debian 12
# and 13 alike: where the releases name a thing differently, apt is asked):
#   install-deps.sh run    building and running the calculator
#   install-deps.sh test   that, plus everything the tests and benchmarks use
#   install-deps.sh windows  building, packaging and testing the Windows build
#   install-deps.sh web    building and testing the web page
#   install-deps.sh release  building every download (scripts/release.sh)
set -euo pipefail

run_packages=(
    cmake ninja-build g++
    qt6-base-dev libgl-dev
    fonts-liberation
)
test_packages=(
    pkg-config
    clang libclang-rt-dev # the sanitizers' and libFuzzer's runtime, of the release's clang
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool imagemagick python3-pil
    desktop-file-utils appstream dpkg-dev file lintian ccache python3-yaml debootstrap
    openbox wmctrl x11-utils dbus at-spi2-core python3-pyatspi weston qt6-wayland qt6-gtk-platformtheme
)

# Building the web page (emscripten; fonttools with brotli cut the faces to
# WOFF2; librsvg draws the app's icons) and testing it under node and in the
# three engines: headless Chromium, WebKitGTK's MiniBrowser behind its
# WebDriver on a private X server, headless Firefox; with the test's own
# tools from npm.
web_packages=(
    emscripten fonttools python3-brotli librsvg2-bin python3-websocket
    chromium webkit2gtk-driver firefox-esr xvfb xauth
)
# Some Node.js packages bring npm (NodeSource's does, and conflicts with
# Debian's); Debian's comes as a package of its own.
command -v npm >/dev/null || web_packages+=(npm)

# Building for Windows and testing it under Wine.
windows_packages=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix googletest
    wine wine64 nsis icoutils xvfb xauth xdotool x11-utils imagemagick python3 xz-utils
)

case "${1:-}" in
run) packages=("${run_packages[@]}") ;;
test) packages=("${run_packages[@]}" "${test_packages[@]}" "${windows_packages[@]}" "${web_packages[@]}") ;;
windows) packages=("${run_packages[@]}" "${windows_packages[@]}") ;;
web) packages=("${run_packages[@]}" "${web_packages[@]}") ;;
release) packages=("${run_packages[@]}" "${windows_packages[@]}" "${web_packages[@]}" dpkg-dev file git) ;;
*) echo "usage: $0 run|test|windows|web|release" >&2; exit 2 ;;
esac

# The window's face, Liberation Sans Narrow: Debian 12's fonts-liberation
# has it, Debian 13 keeps it in a package of its own, which the archive
# knows of only there.
narrow=fonts-liberation-sans-narrow
narrow_wanted() {
    ! grep -qxF "$narrow" <<<"$installed" && [[ " ${missing[*]} " != *" $narrow "* ]] &&
        apt-cache show "$narrow" >/dev/null 2>&1
}

# One query for all (a query each was most of this script's time).
installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" "$narrow" 2>/dev/null | awk '/install ok installed$/ { print $1 }' || true)
missing=()
for p in "${packages[@]}"; do
    grep -qxF "$p" <<<"$installed" || missing+=("$p")
done
if narrow_wanted; then missing+=("$narrow"); fi
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null; then
    sudo=(sudo)
else
    echo "These Debian packages are missing; install them as root, then run this again:" >&2
    echo "  apt-get install ${missing[*]}" >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
if narrow_wanted; then missing+=("$narrow"); fi
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
