# Warning flags for every target of the project.
add_compile_options(-Wall -Wextra -Wshadow)
if(WINGTRON_WERROR)
    add_compile_options(-Werror)
endif()
# GCC 12 raises a false -Wrestrict inside <string> (operator+, assign) once it inlines
# deeply, as at -O3; it is not about our code, so it must not fail optimised builds.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    add_compile_options(-Wno-restrict)
endif()
