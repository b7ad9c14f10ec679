# The xmltool tests run the built tool from the game folder.
if(TARGET xmltool)
    add_dependencies(wingtron_tests xmltool)
endif()
