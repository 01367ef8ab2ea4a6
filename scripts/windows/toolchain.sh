# The Windows build's toolchain, named once; sourced by the scripts that make,
# build with or run it. The windows preset reads Qt through build/qt-windows,
# whatever its version.
qt_windows_version=6.4.2
qt_windows=qt-$qt_windows_version-mingw-w64 # Qt for Windows: the prebuilt tarball's name and the folder it holds
qt_windows_link=qt-windows    # beside it in build/, the name the preset uses
mingw_gxx=x86_64-w64-mingw32-g++-posix
# The folder of the MinGW runtime DLLs that the program and Qt link against.
mingw_runtime() { dirname "$("$mingw_gxx" -print-libgcc-file-name)"; }

# Debian's source of Qt for Windows's version, unpacked in DIR as
# DIR/qtbase-everywhere-src-<version>: Debian 12's qt6-base, fetched with an
# apt of its own (its own lists and sources), so that any release can fetch it
# and the system's apt set-up is left as it was.
qt_windows_source() {
    local dir=$1 apt=$1/apt
    local orig=qt6-base_$qt_windows_version+dfsg.orig.tar.xz
    if [ ! -f "$dir/$orig" ]; then
        mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/sources.list.d"
        echo "deb-src http://deb.debian.org/debian bookworm main" >"$apt/sources.list"
        local own=(-o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts="$apt/sources.list.d"
                   -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache")
        apt-get "${own[@]}" update -qq
        (cd "$dir" && apt-get "${own[@]}" source -qq --download-only "qt6-base/bookworm")
    fi
    [ -d "$dir/qtbase-everywhere-src-$qt_windows_version" ] || tar -xJf "$dir/$orig" -C "$dir"
}
