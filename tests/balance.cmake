# The balance table's tests live in wingtron_tests; the CI smoke run plays a few levels with
# the bot and fails when the expert bot cannot win one.
target_link_libraries(wingtron_tests PRIVATE balance_table)
if(TARGET campaign_levels)
    add_test(NAME e2e.balance_smoke
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/balance_smoke.sh $<TARGET_FILE:wingtron>
                     $<TARGET_FILE:wingtron_balance> ${WINGTRON_GAME_DIR})
    # The balance tool draws its charts with cairo; fontconfig keeps its caches to the end.
    set_tests_properties(e2e.balance_smoke PROPERTIES TIMEOUT 600 ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
endif()
