# Minimal Debian systems to run things in, as root: sourced by
# scripts/in-debian.sh and the package's test on other releases.
# IMPROVES_CHROOTS says where they are kept (default:
# ~/.cache/improves-calc/chroots). Each release's base, made once with
# debootstrap from Debian's archive (the caller sees that it is installed),
# is never changed; work happens in copies.

chroot_store=${IMPROVES_CHROOTS:-${XDG_CACHE_HOME:-$HOME/.cache}/improves-calc/chroots}

# Prints the path of RELEASE's base, making it first where there is none.
chroot_base() {
    local release=$1 base=$chroot_store/$1-base
    if [ ! -f "$base/.made" ]; then
        mkdir -p "$chroot_store"
        echo "making a minimal Debian $release in $base" >&2
        rm -rf "$base"
        timeout 600 debootstrap --variant=minbase "$release" "$base" http://deb.debian.org/debian \
            >"$chroot_store/$release-debootstrap.log" 2>&1 || {
            tail -n 20 "$chroot_store/$release-debootstrap.log" >&2
            return 1
        }
        touch "$base/.made"
    fi
    echo "$base"
}

# Binds what a system needs to run programs (and apt to reach the archive)
# into ROOT; chroot_undo ROOT takes it all away again.
chroot_mount() {
    local root=$1 fs
    for fs in proc sys dev dev/pts dev/shm; do
        mkdir -p "$root/$fs"
        mount --bind "/$fs" "$root/$fs"
    done
    cp /etc/resolv.conf "$root/etc/resolv.conf"
}

# Binds the host's folder FROM (by default PLACE itself) at PLACE in ROOT:
# an X server's sockets, say.   usage: chroot_share ROOT PLACE [FROM]
chroot_share() {
    local from=${3:-$2}
    mkdir -p "$from" "$1$2"
    mount --bind "$from" "$1$2"
}

# Ends every process whose root is ROOT, then unmounts everything under it,
# innermost first. Nothing under ROOT may be removed while anything is
# mounted there: a removal through a bound /dev deletes the host's devices.
chroot_undo() {
    local root=$1 pid signal mounts mount
    for signal in TERM KILL; do
        for pid in /proc/[0-9]*; do
            if [ "$(readlink "$pid/root" 2>/dev/null)" = "$root" ]; then
                kill -s "$signal" "${pid#/proc/}" 2>/dev/null || true
            fi
        done
        [ "$signal" = TERM ] && sleep 1
    done
    mounts=$(awk -v root="$root/" 'index($2, root) == 1 { print $2 }' /proc/mounts | sort -r)
    for mount in $mounts; do
        umount -l "$mount" || true
    done
    if awk -v root="$root/" 'index($2, root) == 1 { found = 1 } END { exit !found }' /proc/mounts; then
        echo "still mounted under $root:" >&2
        grep -F " $root/" /proc/mounts >&2
        return 1
    fi
}

# Removes the copy ROOT, once nothing is mounted in it.
chroot_remove() {
    chroot_undo "$1" && rm -rf "$1"
}
