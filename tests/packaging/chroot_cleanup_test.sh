#!/usr/bin/env bash
# The chroot helpers' cleanup where it used to go wrong, with harmless
# folders bound in place of the host's /dev, /proc and /sys: a root named
# with a doubled slash, through a symlink or relatively; two runs of one
# root at once; a run killed while its binds are up; a base debootstrap left
# half made and mounted. After each, every marker file is still there and
# nothing is mounted under the test's folder. Needs root and the right to
# mount (exit 77 otherwise, which ctest counts as skipped).
set -euo pipefail
helpers=$(cd "$(dirname "$0")/../../scripts" && pwd)/debian-chroot.sh
if [ "$(id -u)" -ne 0 ]; then echo "skipped: mounts need root"; exit 77; fi
top=$(mktemp -d "${TMPDIR:-/tmp}/improves-chroot-test-XXXXXX")
if ! mount --bind "$top" "$top" 2>/dev/null; then
    rmdir "$top"
    echo "skipped: no mounts here (a container without the privilege to mount)"
    exit 77
fi
umount "$top"
top=$(realpath "$top")
export IMPROVES_CHROOT_HOST=$top/host IMPROVES_CHROOTS=$top/store
mounted() { findmnt --list --noheadings --output TARGET | grep "^$top/${1:-}" || true; }
finish() {
    local code=$?
    if [ -n "${held:-}" ]; then kill -- "-$held" 2>/dev/null || true; fi
    mounted | sort -r | xargs -r umount -l
    rm -rf --one-file-system "$top"
    exit "$code"
}
trap finish EXIT

lay_markers() { for fs in proc sys dev dev/pts dev/shm; do mkdir -p "$top/host/$fs" && echo "$fs" >"$top/host/$fs/marker"; done; }
lay_markers
passed=0 failed=0
result() { # STATUS NAME WHY-NOT
    if [ "$1" = 0 ]; then echo "PASS: $2"; passed=$((passed + 1)); else echo "FAIL: $2 ($3)"; failed=$((failed + 1)); fi
}
# Passes where every marker is still there and nothing is mounted under $top.
expect_intact() {
    local lost left
    lost=$(cd "$top/host" && for fs in proc sys dev dev/pts dev/shm; do [ -f "$fs/marker" ] || echo "$fs"; done)
    left=$(mounted)
    result "$([ -z "$lost$left" ]; echo $?)" "$1" "markers lost: ${lost:-none}; still mounted: ${left:-nothing}"
    lay_markers
}
# A shell of the helpers, as a script that sources them is.
helpers() { bash -c "set -euo pipefail; source '$helpers'; $1"; }
# Starts a run that claims ROOT, binds it and then runs COMMAND; waits until it is bound.
run_in_background() {
    rm -f "$top/up"
    setsid bash -c "source '$helpers'; chroot_claim '$1'; chroot_mount '$1'; echo up >'$top/up'; $2" &
    held=$!
    timeout 20 bash -c "until [ -s '$top/up' ]; do sleep 0.05; done"
}

# One root, named three ways the mount table never spells a path.
ln -s real "$top/link"
for named in "$top//real" "$top/link" real; do
    mkdir -p "$top/real/etc"
    (cd "$top" && helpers "chroot_mount '$named' && chroot_remove '$named'") || true
    expect_intact "a root named as $named is undone before it is removed"
done

# Two runs of one root: the second waits while the first has it bound.
mkdir -p "$top/shared/etc" && mkfifo "$top/go"
run_in_background "$top/shared" "read <'$top/go'; chroot_remove '$top/shared'"
helpers "chroot_claim '$top/shared' && chroot_remove '$top/shared'" 2>"$top/second" &
second=$!
timeout 20 bash -c "until grep -q waiting '$top/second'; do sleep 0.05; done" || true
result "$([ -n "$(mounted shared/)" ]; echo $?)" "a second run waits while the first has the root bound" \
    "the first's binds are gone: $(cat "$top/second")"
echo go >"$top/go"
wait "$held" "$second" || true
held=
expect_intact "two runs of one root, one after the other"

# A run killed with its binds up: the next run of that root undoes them.
mkdir -p "$top/killed/etc"
run_in_background "$top/killed" "sleep 600"
kill -KILL -- "-$held"
wait "$held" 2>/dev/null || true
held=
helpers "chroot_claim '$top/killed' && chroot_remove '$top/killed'" || true
expect_intact "a run killed midway is undone by the next"

# debootstrap failing after it mounted proc and sys in the base.
mkdir -p "$top/bin"
printf '#!/bin/sh\nfor fs in proc sys; do mkdir -p "$3/$fs" && mount --bind "%s/host/$fs" "$3/$fs" && mount --make-private "$3/$fs"; done\nexit 1\n' \
    "$top" >"$top/bin/debootstrap"
chmod +x "$top/bin/debootstrap"
! PATH=$top/bin:$PATH helpers "chroot_base bookworm" 2>/dev/null
result $? "a failed debootstrap makes no base" "it made one"
expect_intact "a base debootstrap left half made is unmounted before it is removed"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
