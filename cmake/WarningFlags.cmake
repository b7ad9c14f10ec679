# Warning flags for every target of the project.
add_compile_options(-Wall -Wextra -Wshadow)
if(WINGTRON_WERROR)
    add_compile_options(-Werror)
endif()
