# How the build is kept quick. Nothing here changes what is built, only how
# long building it takes; each setting says why it pays.

# Unity builds: Qt's and GoogleTest's headers are most of each file's cost.
if(NOT DEFINED CMAKE_UNITY_BUILD)
    set(CMAKE_UNITY_BUILD ON)
endif()

# Precompiled Qt headers pay only where many files share them: not for the
# program alone, and not for MinGW, for which they cost more than they saved.
if(NOT DEFINED CMAKE_DISABLE_PRECOMPILE_HEADERS AND (NOT BUILD_TESTING OR CMAKE_CROSSCOMPILING))
    set(CMAKE_DISABLE_PRECOMPILE_HEADERS ON)
endif()

# moc reads a target's own sources only: it need not wait for the libraries
# the target links, which kept the window tests from starting early.
set(CMAKE_AUTOGEN_ORIGIN_DEPENDS OFF)

# ccache, where installed, keeps objects from one build to the next: with
# paths relative to the checkout, so that another clone hits them too; with
# the sloppiness precompiled headers need; and taking dependencies from the
# compiler's own -MD output, so that a miss costs no extra preprocessor run.
find_program(IMPROVES_CCACHE ccache)
if(IMPROVES_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
    set(CMAKE_CXX_COMPILER_LAUNCHER
        env CCACHE_BASEDIR=${PROJECT_SOURCE_DIR} CCACHE_NOHASHDIR=true CCACHE_DEPEND=true
        CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime ${IMPROVES_CCACHE})
endif()

# Qt's widget headers, parsed once for `target` (the window library) rather
# than in each of its files.
function(improves_precompile_qt_headers target)
    target_precompile_headers(${target} PRIVATE
        <QAccessibleWidget> <QApplication> <QButtonGroup> <QComboBox> <QGroupBox> <QLabel>
        <QLineEdit> <QMessageBox> <QPainter> <QPushButton> <QRadioButton> <QTimer> <QWidget>
        <string> <vector>)
    improves_skip_moc_collection(${target})
    if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        # A header made twice from the same sources is the same header, so
        # that ccache can keep what is built with it.
        target_compile_options(${target} PRIVATE "SHELL:-Xclang -fno-pch-timestamp")
    endif()
endfunction()

# The same parsed headers for every other target built with Qt's widgets.
function(improves_reuse_qt_headers target from)
    # (A Windows GUI program's main is Qt's qMain, a macro the header was
    # not made with.)
    get_target_property(gui ${target} WIN32_EXECUTABLE)
    if(WIN32 AND gui)
        return()
    endif()
    # GCC 13 and later take a header only into code optimised as it was
    # (invalid-pch): test scaffolding at its own level parses its own.
    get_target_property(scaffolding ${target} IMPROVES_SCAFFOLDING)
    if(scaffolding AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        improves_precompile_qt_headers(${target})
        return()
    endif()
    target_precompile_headers(${target} REUSE_FROM ${from})
    improves_skip_moc_collection(${target})
endfunction()

# Each source includes its own moc output, which leaves moc's collected file
# empty: not worth loading the precompiled header for.
function(improves_skip_moc_collection target)
    get_target_property(dir ${target} BINARY_DIR)
    set_source_files_properties(${dir}/${target}_autogen/mocs_compilation.cpp PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
endfunction()

# Test scaffolding gains nothing from optimisation but compile time: the
# tests at -O1 (GoogleTest for Windows and the web at -O0), while the code
# under test keeps the build's own flags. LEVEL is 0 or 1.
function(improves_test_scaffolding level)
    if(EMSCRIPTEN)
        set(level 0) # node runs the tables in a second either way
    endif()
    foreach(target ${ARGN})
        target_compile_options(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-O${level}>)
        set_target_properties(${target} PROPERTIES IMPROVES_SCAFFOLDING ON)
        if(EMSCRIPTEN)
            # Optimising the whole program at the link is most of a wasm
            # link's time; the code under test was optimised when compiled.
            target_link_options(${target} PRIVATE -O0)
        endif()
        # One translation unit each: GoogleTest's and Qt Test's headers are
        # most of each test file's cost.
        set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 0)
    endforeach()
endfunction()
