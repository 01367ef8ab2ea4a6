# Sourced by the build scripts, from the checkout's root: ccache, where
# installed, keeps compiled objects from one run to the next, with paths
# relative to the checkout, so that another clone hits them too. Configure
# with "${launcher[@]}".
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"
fi
