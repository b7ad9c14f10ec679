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

# Every level stays winnable: the expert bot plays all thirty on both difficulties with two
# seeds and must win each level on each difficulty at least once (about a minute on two
# cores). Under the sanitizers, where a game runs several times slower, the smoke run above
# stands in for it.
if(TARGET campaign_levels AND NOT WINGTRON_SANITIZE)
    add_test(NAME e2e.bot_wins_every_level
             COMMAND wingtron_balance --game $<TARGET_FILE:wingtron> --data ${WINGTRON_GAME_DIR}
                     --out ${CMAKE_CURRENT_BINARY_DIR}/bot_wins_every_level --skills expert --seeds 2 --jobs 2
                     --require-expert-win-per-level)
    set_tests_properties(e2e.bot_wins_every_level PROPERTIES TIMEOUT 900 PROCESSORS 2)
endif()
