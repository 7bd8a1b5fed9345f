# The string table's ids as constants (ui/framework/messages/string_ids.h in the build tree), made from
# resources/strings/strings.tsv whenever it changes. Link tarvik_string_ids to include the header; the framework
# passes it on to everything above it. The header is rewritten only when an id or a name changes, and the stamp
# marks the run, so that an edited text rebuilds nothing.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(TARVIK_GENERATED_DIR "${PROJECT_BINARY_DIR}/generated")
set(string_table "${PROJECT_SOURCE_DIR}/resources/strings/strings.tsv")
set(string_ids_generator "${PROJECT_SOURCE_DIR}/tools/generators/make_string_ids.py")
set(string_ids_header "${TARVIK_GENERATED_DIR}/ui/framework/messages/string_ids.h")
set(string_ids_stamp "${TARVIK_GENERATED_DIR}/string_ids.stamp")

add_custom_command(
    OUTPUT "${string_ids_stamp}"
    BYPRODUCTS "${string_ids_header}"
    COMMAND "${Python3_EXECUTABLE}" "${string_ids_generator}" "${string_table}" "${string_ids_header}"
    COMMAND "${CMAKE_COMMAND}" -E touch "${string_ids_stamp}"
    DEPENDS "${string_table}" "${string_ids_generator}"
    COMMENT "Generating the string ids from strings.tsv"
    VERBATIM)
add_library(tarvik_string_ids INTERFACE "${string_ids_stamp}")
target_include_directories(tarvik_string_ids INTERFACE "${TARVIK_GENERATED_DIR}")
