#!/usr/bin/env bash
# Runs a command in a clean clone of this project inside another Debian
# release: the project's own stand-in for a container matrix.
#   scripts/in-debian.sh [--fresh] RELEASE COMMAND [ARG...]
#   scripts/in-debian.sh trixie ./test.sh
#   scripts/in-debian.sh --fresh bookworm ./run.sh
# RELEASE is a Debian code name. Runs share one copy of the release's
# minimal base (scripts/debian-chroot.sh), in which what they installed
# stays; --fresh starts that copy anew from the base. The committed state of
# this clone is cloned into it, with ../shared beside it where this machine
# has it (the Windows build looks there for its Qt), and
# COMMAND runs there as root. Pass or fail, every process left in the system
# is ended and every mount undone; a second run of the same release waits for
# the first, and a run that was killed is undone by the next. Needs root, and about 5 GB of disk per
# release for the tests' packages.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/debian-chroot.sh

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

base=$(chroot_base "$release")
root=$chroot_store/$release
trap 'exit 143' INT TERM # so that the undoing below runs on a signal too
chroot_claim "$root"
# Only once the root is ours may leaving undo it: a run that waits must not
# tear down the one it waits for.
trap 'chroot_undo "$root"' EXIT
if $fresh || [ ! -f "$root/.made" ]; then
    chroot_remove "$root"
    cp -a "$base" "$root"
fi
chroot_mount "$root"

rm -rf --one-file-system "$root/work"
mkdir -p "$root/work"
git clone -q --no-local --no-hardlinks "$PWD" "$root/work/main"
[ -d ../shared ] && cp -a ../shared "$root/work/shared"
# The certificate authorities this machine adds to Debian's, so that the
# release reaches the network (npm's registry) as this machine does.
if [ -d /usr/local/share/ca-certificates ]; then
    mkdir -p "$root/usr/local/share/ca-certificates"
    cp -a /usr/local/share/ca-certificates/. "$root/usr/local/share/ca-certificates/"
fi

echo "== Debian $release ($(cat "$root/etc/debian_version")): $*"
status=0
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM="${TERM:-dumb}" DEBIAN_FRONTEND=noninteractive ${CI:+CI=$CI} \
    bash -c 'cd /work/main &&
             { command -v git >/dev/null || { apt-get update -qq && apt-get install -y -qq --no-install-recommends git ca-certificates >/dev/null; }; } &&
             { ! command -v update-ca-certificates >/dev/null || update-ca-certificates >/dev/null; } &&
             exec "$@"' in-debian "$@" || status=$?
echo "== Debian $release: exit $status"
exit "$status"
