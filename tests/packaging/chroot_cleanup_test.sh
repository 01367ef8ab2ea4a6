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
finish() {
    local code=$?
    if [ -n "${held:-}" ]; then kill -- "-$held" 2>/dev/null || true; fi
    findmnt --list --noheadings --output TARGET | { grep "^$top/" || true; } | sort -r | xargs -r umount -l
    rm -rf --one-file-system "$top"
    exit "$code"
}
trap finish EXIT

for fs in proc sys dev dev/pts dev/shm; do
    mkdir -p "$top/host/$fs" && echo "$fs" >"$top/host/$fs/marker"
done
passed=0 failed=0
# NAME passes where every marker is there and nothing is mounted under $top.
expect_intact() {
    local fs lost=() left
    for fs in proc sys dev dev/pts dev/shm; do
        [ -f "$top/host/$fs/marker" ] || lost+=("$fs")
    done
    left=$(findmnt --list --noheadings --output TARGET | grep "^$top/" || true)
    if [ ${#lost[@]} -eq 0 ] && [ -z "$left" ]; then
        echo "PASS: $1"
        passed=$((passed + 1))
    else
        echo "FAIL: $1 (markers lost: ${lost[*]:-none}; still mounted: ${left:-nothing})"
        failed=$((failed + 1))
        for fs in proc sys dev dev/pts dev/shm; do
            mkdir -p "$top/host/$fs" && echo "$fs" >"$top/host/$fs/marker"
        done
    fi
}
# A shell of the helpers, as a script that sources them is.
helpers() { bash -c "set -euo pipefail; source '$helpers'; $1"; }
new_root() { mkdir -p "$1/etc"; }

# One root, named three ways the mount table never spells a path.
new_root "$top/doubled"
helpers "chroot_mount '$top//doubled' && chroot_remove '$top//doubled'" || true
expect_intact "a root named with a doubled slash is undone before it is removed"
new_root "$top/real"
ln -s real "$top/link"
helpers "chroot_mount '$top/link' && chroot_remove '$top/link'" || true
expect_intact "a root named through a symlink is undone before it is removed"
new_root "$top/relative"
(cd "$top" && helpers "chroot_mount relative && chroot_remove relative") || true
expect_intact "a root named relatively is undone before it is removed"

# Two runs of one root: the second waits while the first has it bound.
new_root "$top/shared"
mkfifo "$top/go"
setsid bash -c "source '$helpers'; chroot_claim '$top/shared'; chroot_mount '$top/shared'; echo up >'$top/first';
                read <'$top/go'; chroot_remove '$top/shared'" &
held=$!
timeout 20 bash -c "until [ -s '$top/first' ]; do sleep 0.05; done"
helpers "chroot_claim '$top/shared' && chroot_remove '$top/shared'" 2>"$top/second" &
second=$!
timeout 20 bash -c "until grep -q waiting '$top/second'; do sleep 0.05; done" || true
if [ -n "$(helpers "chroot_mounts '$top/shared'")" ]; then
    echo "PASS: a second run waits while the first has the root bound"
    passed=$((passed + 1))
else
    echo "FAIL: a second run tore down the first's root ($(cat "$top/second"))"
    failed=$((failed + 1))
fi
echo go >"$top/go"
wait "$held" "$second" || true
held=
expect_intact "two runs of one root, one after the other"

# A run killed with its binds up: the next run of that root undoes them.
new_root "$top/killed"
rm -f "$top/first"
setsid bash -c "source '$helpers'; chroot_claim '$top/killed'; chroot_mount '$top/killed'; echo up >'$top/first';
                sleep 600" &
held=$!
timeout 20 bash -c "until [ -s '$top/first' ]; do sleep 0.05; done"
kill -KILL -- "-$held"
wait "$held" 2>/dev/null || true
held=
helpers "chroot_claim '$top/killed' && chroot_remove '$top/killed'" || true
expect_intact "a run killed midway is undone by the next"

# debootstrap failing after it mounted proc and sys in the base.
mkdir -p "$top/bin"
cat >"$top/bin/debootstrap" <<EOF
#!/bin/sh
mkdir -p "\$3/proc" "\$3/sys"
mount --bind "$top/host/proc" "\$3/proc" && mount --make-private "\$3/proc"
mount --bind "$top/host/sys" "\$3/sys" && mount --make-private "\$3/sys"
exit 1
EOF
chmod +x "$top/bin/debootstrap"
PATH=$top/bin:$PATH helpers "chroot_base bookworm" 2>/dev/null && echo "FAIL: a failed debootstrap made a base" &&
    failed=$((failed + 1))
expect_intact "a base debootstrap left half made is unmounted before it is removed"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
