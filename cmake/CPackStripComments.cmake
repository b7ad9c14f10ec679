# Run by cpack after staging a package's files (CPACK_PRE_BUILD_SCRIPTS): drops the compiler's
# .comment and .note sections from the stripped executable, as Debian's own packaging does.
file(GLOB_RECURSE staged ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*wingtron)
foreach(path ${staged})
    file(READ ${path} magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")  # ELF, not the archive's launcher script
        execute_process(COMMAND ${CPACK_WINGTRON_STRIP} --remove-section=.comment --remove-section=.note ${path}
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
