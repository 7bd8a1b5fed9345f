# A sanitizer tree is optimised at -O1 (after the build type's -O2, so that it wins): the sanitizers' reports stay as
# exact, and the compiler takes a good part less time than at -O2.
if(TARVIK_SANITIZE OR TARVIK_TSAN)
    add_compile_options(-O1)
endif()
if(TARVIK_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
if(TARVIK_TSAN)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()
if(TARVIK_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "TARVIK_FUZZ needs clang (-DCMAKE_CXX_COMPILER=clang++)")
    endif()
    # Every library is built with coverage feedback, so that a fuzzer sees the decoders it feeds, not only its own
    # file. Linking with the same flag brings the coverage callbacks into the executables that have no libFuzzer.
    add_compile_options(-fsanitize=fuzzer-no-link)
    add_link_options(-fsanitize=fuzzer-no-link)
endif()
