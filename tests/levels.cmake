# The level compiler's tests live in wingtron_tests and read the compiled campaign.
if(TARGET level_compiler)
    target_link_libraries(wingtron_tests PRIVATE level_compiler)
endif()
if(TARGET campaign_levels)
    add_dependencies(wingtron_tests campaign_levels)
endif()
