#!/usr/bin/env bash
# Runs a command in a clean clone of this project inside another Debian
# release: the project's own stand-in for a container matrix.
#   scripts/in-debian.sh [--fresh] RELEASE COMMAND [ARG...]
#   scripts/in-debian.sh trixie ./test.sh
#   scripts/in-debian.sh --fresh bookworm ./run.sh
# RELEASE is a Debian code name. The first run makes a minimal system with
# debootstrap from Debian's archive and keeps it untouched as the release's
# base; runs then share one copy of it, in which what they installed stays,
# and --fresh starts that copy anew from the base. The committed state of
# this clone is cloned into it (with ../shared/toolchains beside it, where the
# Windows build looks for its Qt), and COMMAND runs there as root.
# Pass or fail, every process left in the system is ended and every mount
# undone. Needs root, debootstrap and about 4 GB of disk per release for the
# tests' packages. IMPROVES_CHROOTS says where the systems are kept
# (default: ~/.cache/improves-calc/chroots).
set -euo pipefail
cd "$(dirname "$0")/.."

fresh=false
if [ "${1:-}" = --fresh ]; then fresh=true; shift; fi
if [ $# -lt 2 ]; then
    echo "usage: $0 [--fresh] RELEASE COMMAND [ARG...]" >&2
    exit 2
fi
release=$1
shift
if [ "$(id -u)" -ne 0 ]; then
    echo "$0: chroot and mount need root" >&2
    exit 1
fi
command -v debootstrap >/dev/null || {
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap
}

store=${IMPROVES_CHROOTS:-$HOME/.cache/improves-calc/chroots}
base=$store/$release-base
root=$store/$release
mkdir -p "$store"
if [ ! -f "$base/.made" ]; then
    echo "== making a minimal Debian $release in $base"
    rm -rf "$base"
    debootstrap --variant=minbase "$release" "$base" http://deb.debian.org/debian >"$store/$release-debootstrap.log"
    touch "$base/.made"
fi

mounted=()
# Ends whatever still runs inside the system, then unmounts, innermost
# first. Nothing under $root is removed while anything is mounted there: a
# removal through a bound /dev would delete the host's devices.
undo() {
    local pid pass
    for pass in TERM KILL; do
        for pid in /proc/[0-9]*; do
            if [ "$(readlink "$pid/root" 2>/dev/null)" = "$root" ]; then
                kill -s "$pass" "${pid#/proc/}" 2>/dev/null || true
            fi
        done
        [ "$pass" = TERM ] && sleep 2
    done
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -l "${mounted[i]}" || true
    done
    if grep -qF " $root/" /proc/mounts; then
        echo "in-debian.sh: still mounted under $root:" >&2
        grep -F " $root/" /proc/mounts >&2
        return 1
    fi
}

if $fresh || [ ! -f "$root/.made" ]; then
    if grep -qF " $root/" /proc/mounts; then
        echo "$0: $root is in use (mounted); not replacing it" >&2
        exit 1
    fi
    rm -rf "$root"
    cp -a "$base" "$root"
fi
touch "$root/.made"

trap undo EXIT
for fs in proc sys dev dev/pts dev/shm; do
    mkdir -p "$root/$fs"
    mount --bind "/$fs" "$root/$fs"
    mounted+=("$root/$fs")
done
cp /etc/resolv.conf "$root/etc/resolv.conf"

# The clone holds what is committed, as a new contributor's would; the
# prebuilt toolchains, where this machine has them, sit beside it.
rm -rf "$root/work"
mkdir -p "$root/work"
git clone -q --no-local --no-hardlinks "$PWD" "$root/work/main"
[ -d ../shared/toolchains ] && mkdir -p "$root/work/shared" && cp -a ../shared/toolchains "$root/work/shared/"

echo "== Debian $release ($(cat "$root/etc/debian_version")): $*"
status=0
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM="${TERM:-dumb}" ${CI:+CI=$CI} \
    bash -c 'cd /work/main && { command -v git >/dev/null || { apt-get update -qq && apt-get install -y -qq --no-install-recommends git >/dev/null; }; } && exec "$@"' \
    in-debian "$@" || status=$?
echo "== Debian $release: exit $status"
exit "$status"
