# The Windows build's toolchain, named once; sourced by the scripts that make,
# build with or run it. The windows preset reads Qt through build/qt-windows,
# whatever its version.
qt_windows=qt-6.4.2-mingw-w64 # Qt for Windows: the prebuilt tarball's name and the folder it holds
qt_windows_link=qt-windows    # beside it in build/, the name the preset uses
mingw_gxx=x86_64-w64-mingw32-g++-posix
# The folder of the MinGW runtime DLLs that the program and Qt link against.
mingw_runtime() { dirname "$("$mingw_gxx" -print-libgcc-file-name)"; }
