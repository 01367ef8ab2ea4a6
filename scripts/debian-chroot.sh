# Minimal Debian systems to run things in, as root: sourced by
# scripts/in-debian.sh and the package's test on other releases.
# IMPROVES_CHROOTS says where they are kept (default:
# ~/.cache/improves-calc/chroots). Each release's base, made once with
# debootstrap from Debian's archive (the caller sees that it is installed),
# is never changed; work happens in copies.
#
# A chroot holds binds of the host's /dev, /proc and /sys, and a removal
# that goes through one of them deletes the host's devices. So every path is
# taken as the kernel spells it (the mount table never holds `//`, a
# symlink or a relative path), binds are private (nothing done in a chroot
# reaches the host's mounts), and nothing is removed while the kernel lists
# a mount below it.

# Where the host's folders come from: / but for the cleanup's own tests,
# which bind harmless folders instead.
chroot_host=${IMPROVES_CHROOT_HOST:-}

# The path as the kernel's mount table gives it.
chroot_path() {
    realpath -m -- "$1"
}

chroot_store=$(chroot_path "${IMPROVES_CHROOTS:-${XDG_CACHE_HOME:-$HOME/.cache}/improves-calc/chroots}")

# The mounts at or below ROOT, innermost first.
chroot_mounts() {
    local root
    root=$(chroot_path "$1")
    findmnt --list --noheadings --output TARGET | awk -v root="$root" \
        'index($0, root "/") == 1 || $0 == root' | sort -r
}

# Takes ROOT for this shell's life: waits while another run has it (saying
# so), then undoes what a run that was killed left bound there.
chroot_claim() {
    local root fd
    root=$(chroot_path "$1")
    mkdir -p "$(dirname "$root")"
    exec {fd}>>"$root.lock"
    if ! flock --nonblock "$fd"; then
        echo "waiting for another run's chroot at $root" >&2
        flock "$fd"
    fi
    chroot_undo "$root"
}

# Prints the path of RELEASE's base, making it first where there is none
# (holding its lock until then: a subshell of its own).
chroot_base() (
    local release=$1 base=$chroot_store/$1-base
    chroot_claim "$base" || return 1
    if [ ! -f "$base/.made" ]; then
        echo "making a minimal Debian $release in $base" >&2
        chroot_remove "$base" || return 1
        timeout 600 debootstrap --variant=minbase "$release" "$base" http://deb.debian.org/debian \
            >"$chroot_store/$release-debootstrap.log" 2>&1 || {
            tail -n 20 "$chroot_store/$release-debootstrap.log" >&2
            chroot_remove "$base" # debootstrap leaves proc and sys mounted in a base it did not finish
            return 1
        }
        touch "$base/.made"
    fi
    echo "$base"
)

# Binds FROM (by default PLACE itself, both in the host) at PLACE in ROOT,
# privately.   usage: chroot_share ROOT PLACE [FROM]
chroot_share() {
    local root from=${3:-$chroot_host$2}
    root=$(chroot_path "$1")
    mkdir -p "$from" "$root$2" &&
        mount --bind "$from" "$root$2" &&
        mount --make-private "$root$2"
}

# Binds what a system needs to run programs (and apt to reach the archive)
# into ROOT; chroot_undo ROOT takes it all away again.
chroot_mount() {
    local fs
    for fs in proc sys dev dev/pts dev/shm; do
        chroot_share "$1" "/$fs" || return 1
    done
    cp /etc/resolv.conf "$(chroot_path "$1")/etc/resolv.conf"
}

# Ends every process whose root is ROOT, then unmounts everything under it,
# innermost first; fails if anything is still mounted there.
chroot_undo() {
    local root pid signal mount signalled=false
    root=$(chroot_path "$1")
    for signal in TERM KILL; do
        for pid in /proc/[0-9]*; do
            if [ "$pid/root" -ef "$root" ]; then
                kill -s "$signal" "${pid#/proc/}" 2>/dev/null && signalled=true
            fi
        done
        if ! $signalled; then break; fi
        [ "$signal" = TERM ] && sleep 1
    done
    chroot_mounts "$root" | while IFS= read -r mount; do
        umount -l "$mount" || true
    done
    mount=$(chroot_mounts "$root")
    if [ -n "$mount" ]; then
        echo "still mounted under $root, so it is kept:" >&2
        echo "$mount" >&2
        return 1
    fi
}

# Removes ROOT, once nothing is mounted in it, never leaving its file system.
chroot_remove() {
    local root
    root=$(chroot_path "$1")
    chroot_undo "$root" && rm -rf --one-file-system -- "$root"
}
