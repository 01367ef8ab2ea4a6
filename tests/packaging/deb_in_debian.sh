#!/usr/bin/env bash
# The .deb (made by the deb_build test in BUILD_DIR/deb) as a player on
# another Debian release gets it: installed with apt
# into a fresh minimal system of that release, recommends off, as containers
# and small systems install. fontconfig there must give the window's face,
# Liberation Sans Narrow, from what the package's dependencies brought; then
# the program runs from the release's own libraries on an X server, draws its
# number and ends on Exit (smoke.sh), and its screenshot is kept.
# usage: deb_in_debian.sh BUILD_DIR RELEASE:NUMBER SMOKE_SCRIPT PLACES...
#   (bookworm:12; PLACES: what smoke.sh takes after the screenshot)
# A package depends on the libraries of the release it is built on, or a
# later one: on an older release than the build's it is skipped (exit 77,
# which ctest counts as skipped), as it is without root, debootstrap or the
# right to mount.
set -euo pipefail
build=$1
release=${2%:*}
number=${2#*:}
smoke=$3
places=("${@:4}")
here=$(cd "$(dirname "$0")" && pwd)
if [ "$(id -u)" -ne 0 ] || ! command -v debootstrap >/dev/null; then
    echo "skipped: installing into another release needs root and debootstrap"
    exit 77
fi
probe=$(mktemp -d)
if ! mount --bind "$probe" "$probe" 2>/dev/null; then
    rmdir "$probe"
    echo "skipped: no mounts here (a container without the privilege to mount)"
    exit 77
fi
umount "$probe" && rmdir "$probe"
built_on=$(cut -d. -f1 /etc/debian_version)
if [[ $built_on =~ ^[0-9]+$ ]] && [ "$built_on" -gt "$number" ]; then
    echo "skipped: a package built on Debian $built_on needs its libraries; Debian $number takes one built there"
    exit 77
fi
# The releases' bases and what apt fetched are kept where the next clone's
# run finds them (scripts/debian-chroot.sh); so is the system the package is
# installed into, made anew from its base each run: a run that was killed
# is undone by the next.
source "$here/../../scripts/debian-chroot.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/improves-deb-$release-XXXXXX")
root=$chroot_store/deb-$release
trap 'rm -rf "$work"' EXIT
trap 'exit 143' INT TERM # so that the undoing below runs on a signal too

deb=$(ls "$build"/deb/*.deb)
base=$(chroot_base "$release")
# Only once the root is ours may leaving undo it: a run that waits must not
# tear down the one it waits for.
chroot_claim "$root"
trap 'chroot_remove "$root" && rm -rf "$work"' EXIT
chroot_remove "$root"
cp -a "$base" "$root"
chroot_mount "$root"
cp "$deb" "$root/tmp/improves-calc.deb"
# What apt fetches, the archive's lists and packages, is kept beside the
# bases for the next run (one at a time: the root's claim).
mkdir -p "$chroot_store/$release-debs/partial" "$chroot_store/$release-lists/partial"
chroot_share "$root" /var/cache/apt/archives "$chroot_store/$release-debs"
chroot_share "$root" /var/lib/apt/lists "$chroot_store/$release-lists"
in_release() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
echo "Debian $release ($(cat "$root/etc/debian_version")): apt-get install --no-install-recommends $(basename "$deb")"
# Each step ends well inside ctest's limit: a test killed by ctest could
# not undo its mounts.
in_release timeout 120 apt-get update -qq
# fontconfig only for its fc-match, the question asked below; it brings no face.
in_release timeout 300 apt-get install -y -qq --no-install-recommends /tmp/improves-calc.deb fontconfig >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; exit 1; }

face=$(in_release fc-match -f '%{file}' 'Liberation Sans Narrow')
echo "fontconfig's face for Liberation Sans Narrow: $face"
[ "$face" = /usr/share/fonts/truetype/liberation/LiberationSansNarrow-Regular.ttf ] ||
    { echo "the window's face is not installed: its captions would be drawn in another"; exit 1; }

# The program inside the release, drawing on the X server smoke.sh starts
# here: the server's socket folder is shared with the release.
chroot_share "$root" /tmp/.X11-unix
mkdir -m 700 "$root/tmp/runtime"
cat >"$work/improves-calc" <<EOF
#!/bin/sh
exec chroot "$root" /usr/bin/env -i PATH=/usr/bin:/bin DISPLAY="\$DISPLAY" XDG_RUNTIME_DIR=/tmp/runtime /usr/bin/improves-calc
EOF
chmod +x "$work/improves-calc"
"$smoke" "$work/improves-calc" "$build/deb-in-$release.png" "${places[@]}"
