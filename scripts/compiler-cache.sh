# Sourced by the build scripts, from the checkout's root: ccache, where
# installed, keeps compiled objects from one run to the next, with paths
# relative to the checkout, so that another clone hits them too. Configure
# with "${launcher[@]}".
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"
    # What ccache needs to keep objects built with a precompiled header.
    export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}"
    # Dependencies from the compiler's own -MD output: a miss then costs no
    # extra preprocessor run.
    export CCACHE_DEPEND="${CCACHE_DEPEND:-true}"
fi
