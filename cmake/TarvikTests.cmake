include(GoogleTest)

# tarvik_add_gtests(<dir> LIBS <libs...>)
# Builds one GoogleTest executable per tests/<dir>/*_test.cpp and registers its cases with CTest, labelled <dir>.
# (gtest_discover_tests splits list values, so each property holds a single value.)
function(tarvik_add_gtests dir)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    file(GLOB test_sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*_test.cpp")
    foreach(source IN LISTS test_sources)
        get_filename_component(name "${source}" NAME_WE)
        string(REPLACE "/" "_" prefix "${dir}")
        set(target "${prefix}_${name}")
        add_executable(${target} "${source}")
        target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main Threads::Threads)
        target_compile_definitions(${target} PRIVATE TARVIK_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
                                                     TARVIK_RESOURCES_DIR="${PROJECT_SOURCE_DIR}/resources")
        gtest_discover_tests(${target}
            TEST_PREFIX "${prefix}."
            DISCOVERY_TIMEOUT 60
            PROPERTIES LABELS "${dir}" ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    endforeach()
endfunction()

# tarvik_glob_library(<target> LIBS <libs...>)
# A static library of every .cpp below the current source directory; an INTERFACE target while the folder is empty,
# so that dependents can link it before its first source lands.
function(tarvik_glob_library target)
    cmake_parse_arguments(ARG "" "" "LIBS;EXCLUDE" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    foreach(pattern IN LISTS ARG_EXCLUDE)
        list(FILTER sources EXCLUDE REGEX "${pattern}")
    endforeach()
    if(sources)
        add_library(${target} STATIC ${sources})
        target_link_libraries(${target} PUBLIC ${ARG_LIBS})
    else()
        add_library(${target} INTERFACE)
        target_link_libraries(${target} INTERFACE ${ARG_LIBS})
    endif()
endfunction()
