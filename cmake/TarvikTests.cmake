include(GoogleTest)

# The folders the tests read their data and the program's resources from, in a header of the build tree rather than on
# every test's command line: a test that does not read them compiles alike in every checkout, and a shared compiler
# cache serves it to all of them.
set(TARVIK_TEST_PATHS_DIR "${PROJECT_BINARY_DIR}/generated/test_paths")
file(CONFIGURE OUTPUT "${TARVIK_TEST_PATHS_DIR}/tarvik_test_paths.h" CONTENT
"#pragma once
#define TARVIK_TEST_DATA_DIR \"${PROJECT_SOURCE_DIR}/tests/data\"
#define TARVIK_RESOURCES_DIR \"${PROJECT_SOURCE_DIR}/resources\"
")

# tarvik_add_gtests(<dir> [LABEL <label>] [QT] LIBS <libs...>)
# Builds one GoogleTest executable per tests/<dir>/**/*_test.cpp (sub-folders included) and registers its cases with
# CTest, named "<label>.<Suite>.<Case>" and labelled <label> (the label defaults to <dir>), so that the tests of one
# layer keep one label when its folder holds one sub-folder per library. (gtest_discover_tests splits list values, so
# each property holds a single value.) QT: the tests use Qt, and take its precompiled headers.
# A label listed in TARVIK_SKIP_TEST_LABELS is neither built nor run in this tree (CI runs those tests in its
# sanitizer trees instead).
set(TARVIK_SKIP_TEST_LABELS "" CACHE STRING "Labels whose tests this tree neither builds nor runs")
function(tarvik_add_gtests dir)
    cmake_parse_arguments(ARG "QT" "LABEL" "LIBS" ${ARGN})
    if(NOT ARG_LABEL)
        set(ARG_LABEL "${dir}")
    endif()
    file(GLOB_RECURSE test_sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*_test.cpp")
    if(ARG_LABEL IN_LIST TARVIK_SKIP_TEST_LABELS)
        tarvik_note_test_sources(${test_sources})
        return()
    endif()
    foreach(source IN LISTS test_sources)
        get_filename_component(name "${source}" NAME_WE)
        string(REPLACE "/" "_" prefix "${dir}")
        set(target "${prefix}_${name}")
        add_executable(${target} "${source}")
        tarvik_note_test_sources("${source}")
        target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main Threads::Threads)
        target_include_directories(${target} PRIVATE "${TARVIK_TEST_PATHS_DIR}")
        target_compile_options(${target} PRIVATE ${TARVIK_TEST_COMPILE_OPTIONS})
        gtest_discover_tests(${target}
            TEST_PREFIX "${ARG_LABEL}."
            DISCOVERY_TIMEOUT 60
            PROPERTIES LABELS "${ARG_LABEL}" ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
        tarvik_add_to_test_group(${ARG_LABEL} ${target})
        if(ARG_QT)
            tarvik_use_pch(qt_test ${target})
        else()
            tarvik_use_pch(test ${target})
        endif()
    endforeach()
endfunction()

# tarvik_add_to_test_group(<label> <targets...>): `ninja tests_<label>` builds the targets, so that a tree that runs
# the tests of some labels only (a sanitizer tree) builds what those tests need and nothing else.
function(tarvik_add_to_test_group label)
    if(NOT TARGET tests_${label})
        add_custom_target(tests_${label})
    endif()
    add_dependencies(tests_${label} ${ARGN})
endfunction()

# tarvik_note_test_sources(<files...>): the files belong to a test target (see tarvik_check_test_sources).
function(tarvik_note_test_sources)
    set_property(GLOBAL APPEND PROPERTY TARVIK_TEST_SOURCES ${ARGN})
endfunction()

# tarvik_check_test_sources(<dir>): stops the configuration when a .cpp below <dir> belongs to no test target, so that
# a test written in the wrong place cannot silently never run.
function(tarvik_check_test_sources dir)
    file(GLOB_RECURSE all_sources CONFIGURE_DEPENDS "${dir}/*.cpp")
    get_property(noted GLOBAL PROPERTY TARVIK_TEST_SOURCES)
    foreach(source IN LISTS all_sources)
        if(NOT source IN_LIST noted)
            list(APPEND orphans "${source}")
        endif()
    endforeach()
    if(orphans)
        list(JOIN orphans "\n  " text)
        message(FATAL_ERROR "test sources that no test target builds:\n  ${text}\n"
                            "Name a test file *_test.cpp below a folder tests/CMakeLists.txt registers, "
                            "or add it to a support library there.")
    endif()
endfunction()

# tarvik_glob_library(<target> [PUBLIC <libs...>] [PRIVATE <libs...>] [EXCLUDE <regexes...>])
# A library (static, or shared with TARVIK_SHARED_LIBS) of every .cpp below the current source directory, linking PUBLIC the libraries its headers need and
# PRIVATE those only its sources use; an INTERFACE target (of its PUBLIC libraries) while the folder has no source, so
# that dependents can link it before its first source lands.
function(tarvik_glob_library target)
    cmake_parse_arguments(ARG "" "" "PUBLIC;PRIVATE;EXCLUDE" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    file(GLOB_RECURSE forms CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.ui")
    foreach(pattern IN LISTS ARG_EXCLUDE)
        list(FILTER sources EXCLUDE REGEX "${pattern}")
    endforeach()
    if(sources)
        add_library(${target} ${TARVIK_LIBRARY_TYPE} ${sources})
        target_link_libraries(${target} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
        # A form added since the last configure: the code generation's stamp goes, so that the next build makes
        # the form's header (the generator tracks the forms it has seen, not new ones).
        if(NOT "${forms}" STREQUAL "${TARVIK_FORMS_${target}}")
            file(REMOVE "${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp")
            set(TARVIK_FORMS_${target} "${forms}" CACHE INTERNAL "")
        endif()
    else()
        add_library(${target} INTERFACE)
        target_link_libraries(${target} INTERFACE ${ARG_PUBLIC})
    endif()
endfunction()
