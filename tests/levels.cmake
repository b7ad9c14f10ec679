# The level compiler's tests live in wingtron_tests and read the compiled campaign.
if(TARGET level_compiler)
    target_link_libraries(wingtron_tests PRIVATE level_compiler)
endif()
if(TARGET campaign_levels)
    add_dependencies(wingtron_tests campaign_levels)
endif()

# Every compiled level played headless for 3000 frames.
if(TARGET campaign_levels)
    add_test(NAME e2e.levels_run
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/levels_run.sh $<TARGET_FILE:wingtron> ${WINGTRON_GAME_DIR})
    # Half a minute in the normal build, many times that in the sanitizer build; the limit
    # leaves room for a machine that is busy with other work.
    set_tests_properties(e2e.levels_run PROPERTIES TIMEOUT 1200)
endif()
