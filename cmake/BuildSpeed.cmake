# What makes a build faster without changing what it builds: the compiler cache when it is installed, the lld linker
# when the compiler can use it, precompiled headers (TARVIK_PCH, below), and (TARVIK_LINE_TABLES) debug information of
# line tables only, which keeps the file and line of every frame in a backtrace or sanitizer report and costs the
# compiler and linker far less than full debug information.

option(TARVIK_LINE_TABLES "Debug information of line tables only (-g1)" OFF)
if(TARVIK_LINE_TABLES)
    # After the build type's -g, so that it wins.
    add_compile_options(-g1)
endif()

# Split debug information: each object's DWARF goes to a .dwo file beside it, and a library's or an executable's links
# carry only a skeleton that points there. Hundreds of test executables link the same libraries; without this each of
# them holds its own copy of their debug information (hundreds of megabytes an executable). A debugger reads the .dwo
# files from the build tree, so a backtrace still shows file and line.
option(TARVIK_SPLIT_DWARF "Debug information in .dwo files beside the objects (-gsplit-dwarf)" ON)
if(TARVIK_SPLIT_DWARF)
    add_compile_options("$<$<CONFIG:Debug,RelWithDebInfo>:-gsplit-dwarf>")
endif()

# Shared product libraries: hundreds of test executables link the same libraries, and each static link would carry its
# own copy of their code and debug information (gigabytes in all). Everything is compiled position-independent, so that
# one precompiled header serves libraries and executables alike; calls inside a library stay direct. The executables
# find the libraries in the build tree (its run path).
option(TARVIK_SHARED_LIBS "Product libraries as shared libraries" ON)
set(TARVIK_LIBRARY_TYPE STATIC)
if(TARVIK_SHARED_LIBS)
    set(TARVIK_LIBRARY_TYPE SHARED)
    add_compile_options(-fPIC -fno-semantic-interposition)
endif()

# A test's own code runs little beside the libraries it drives: without optimisation it compiles in about half the
# time, while the libraries keep theirs. (After the build type's -O2, so that it wins.)
set(TARVIK_TEST_COMPILE_OPTIONS -O0)

# A tree that is built to run the tests once and then thrown away (CI's main tree): the libraries at -O1 and no debug
# information, which takes about a third off the compiler's time. (After the build type's flags, so that they win.)
option(TARVIK_QUICK_BUILD "Build for one test run: -O1, no debug information" OFF)
if(TARVIK_QUICK_BUILD)
    add_compile_options(-O1 -g0)
endif()

option(TARVIK_PCH "Precompiled standard, Qt and GoogleTest headers" ON)
set(tarvik_uses_pch OFF)
if(TARVIK_PCH AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    set(tarvik_uses_pch SHARED)
elseif(TARVIK_PCH AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set(tarvik_uses_pch OWN)
    # The header's time stamp would keep the compiler cache from taking the files that use it.
    add_compile_options("SHELL:-Xclang -fno-pch-timestamp")
endif()

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM AND tarvik_uses_pch)
    # A file compiled with a precompiled header is cached as well: the cache takes the header's macros and times as
    # they are, since it cannot see them.
    set(CMAKE_CXX_COMPILER_LAUNCHER
        env CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime "${CCACHE_PROGRAM}")
elseif(CCACHE_PROGRAM)
    set(CMAKE_CXX_COMPILER_LAUNCHER "${CCACHE_PROGRAM}")
endif()

include(CheckLinkerFlag)
check_linker_flag(CXX "-fuse-ld=lld" TARVIK_HAS_LLD)
if(TARVIK_HAS_LLD)
    add_link_options(-fuse-ld=lld)
    if(TARVIK_SPLIT_DWARF)
        # The compiler's name tables for split debug information (.debug_gnu_pubnames and pubtypes) are most of a
        # linked test's size; the linker turns them into one compact index for the debugger and drops them.
        add_link_options("$<$<CONFIG:Debug,RelWithDebInfo>:-Wl,--gdb-index>")
    endif()
endif()

# Precompiled headers: the standard, Qt and GoogleTest headers that most files include are parsed once per kind of
# target, not once per file. GCC takes a precompiled header made with other macros and include paths where they do not
# change what it holds, so that one serves every target of a kind. Clang refuses it: there each library of the user
# interface with more than a few files makes its own, and the other targets parse the headers per file.
set(TARVIK_PCH_STANDARD <algorithm> <chrono> <cstdint> <functional> <map> <memory> <optional> <string> <vector>)
set(TARVIK_PCH_QT <QAbstractButton> <QApplication> <QCheckBox> <QComboBox> <QDialog> <QFont> <QFontMetrics>
                  <QHeaderView> <QImage> <QLabel> <QLineEdit> <QPainter> <QPixmap> <QPlainTextEdit> <QPushButton>
                  <QString> <QStringList> <QTreeView> <QTreeWidget> <QVariant> <QWidget>)
set(TARVIK_PCH_TEST <gtest/gtest.h> <gmock/gmock.h>)

# tarvik_use_pch(<kind> <targets...>): the targets (those with sources) compile with the precompiled headers of their
# kind: qt (a library of the user interface), qt_test (a test that uses Qt) or test (a test without it). A test kind's
# header is compiled as the tests are (tarvik_add_gtests), without optimisation.
function(tarvik_use_pch kind)
    if(NOT tarvik_uses_pch)
        return()
    endif()
    if(tarvik_uses_pch STREQUAL "OWN")
        foreach(target IN LISTS ARGN)
            get_target_property(sources ${target} SOURCES)
            list(LENGTH sources count)
            if(kind STREQUAL "qt" AND count GREATER 4)
                target_precompile_headers(${target} PRIVATE ${TARVIK_PCH_STANDARD} ${TARVIK_PCH_QT})
            endif()
        endforeach()
        return()
    endif()
    set(owner tarvik_pch_${kind})
    if(NOT TARGET ${owner})
        # The target that makes the header: a file of nothing, compiled with the flags its users share.
        set(anchor "${PROJECT_BINARY_DIR}/pch/${kind}.cpp")
        file(CONFIGURE OUTPUT "${anchor}" CONTENT "")
        add_library(${owner} OBJECT "${anchor}")
        if(kind STREQUAL "qt")
            target_link_libraries(${owner} PRIVATE Qt6::Widgets)
            set(headers ${TARVIK_PCH_STANDARD} ${TARVIK_PCH_QT})
        elseif(kind STREQUAL "qt_test")
            target_link_libraries(${owner} PRIVATE Qt6::Widgets Qt6::Test GTest::gtest GTest::gmock)
            set(headers ${TARVIK_PCH_STANDARD} ${TARVIK_PCH_QT} <QTest> ${TARVIK_PCH_TEST})
        else()
            target_link_libraries(${owner} PRIVATE GTest::gtest GTest::gmock)
            set(headers ${TARVIK_PCH_STANDARD} <filesystem> <thread> ${TARVIK_PCH_TEST})
        endif()
        if(NOT kind STREQUAL "qt")
            target_compile_options(${owner} PRIVATE ${TARVIK_TEST_COMPILE_OPTIONS})
        endif()
        target_precompile_headers(${owner} PRIVATE ${headers})
    endif()
    foreach(target IN LISTS ARGN)
        get_target_property(type ${target} TYPE)
        if(NOT type STREQUAL "INTERFACE_LIBRARY")
            target_precompile_headers(${target} REUSE_FROM ${owner})
        endif()
    endforeach()
endfunction()

# tarvik_use_pch_below(<kind> <dirs...>): every library and program defined in the folders (sub-folders included)
# takes the precompiled headers of <kind>, so that an area added later takes them without being named.
function(tarvik_use_pch_below kind)
    foreach(dir IN LISTS ARGN)
        get_property(targets DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target IN LISTS targets)
            get_target_property(type ${target} TYPE)
            if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|EXECUTABLE)$")
                tarvik_use_pch(${kind} ${target})
            endif()
        endforeach()
        get_property(subdirs DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
        if(subdirs)
            tarvik_use_pch_below(${kind} ${subdirs})
        endif()
    endforeach()
endfunction()
