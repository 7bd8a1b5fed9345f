# Warnings apply to our own targets; third-party headers come in as system includes.
add_compile_options(-Wall -Wextra)
if(TARVIK_WERROR)
    add_compile_options(-Werror)
endif()
