# End-to-end tests: the real executable, headless and under a real GL context.
add_test(NAME e2e.determinism
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/determinism.sh $<TARGET_FILE:wingtron> ${WINGTRON_GAME_DIR})
set_tests_properties(e2e.determinism PROPERTIES TIMEOUT 300)
add_test(NAME e2e.record_replay
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/record_replay.sh $<TARGET_FILE:wingtron> ${WINGTRON_GAME_DIR})
set_tests_properties(e2e.record_replay PROPERTIES TIMEOUT 300 ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
add_test(NAME e2e.autoplay_replay
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/autoplay_replay.sh $<TARGET_FILE:wingtron> ${WINGTRON_GAME_DIR})
set_tests_properties(e2e.autoplay_replay PROPERTIES TIMEOUT 300)

add_executable(gl_smoke_test e2e/gl_smoke.cpp)
target_link_libraries(gl_smoke_test PRIVATE game_core platform_real)

# Mesa and dbus leak a little inside the GL driver; leak checks stay on for logic tests.
# The test opens the display three times in a row: -noreset keeps Xvfb from resetting
# when the last client leaves, which would refuse the next connection now and then.
find_program(XVFB_RUN xvfb-run)
if(XVFB_RUN)
    add_test(NAME e2e.gl_smoke
             COMMAND ${XVFB_RUN} -a -s "-screen 0 1024x768x24 -noreset" $<TARGET_FILE:gl_smoke_test>)
else()
    add_test(NAME e2e.gl_smoke COMMAND $<TARGET_FILE:gl_smoke_test>)
endif()
set_tests_properties(e2e.gl_smoke PROPERTIES TIMEOUT 120 ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
if(NOT XVFB_RUN)
    set_property(TEST e2e.gl_smoke APPEND PROPERTY ENVIRONMENT SDL_VIDEODRIVER=offscreen)
endif()

# The menus driven headless from a fresh profiles folder, then a second start on it.
add_test(NAME e2e.menus_run
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/menus_run.sh $<TARGET_FILE:wingtron> ${WINGTRON_GAME_DIR})
set_tests_properties(e2e.menus_run PROPERTIES TIMEOUT 300)

add_test(NAME e2e.desktop COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/desktop.sh $<TARGET_FILE:wingtron>)
set_tests_properties(e2e.desktop PROPERTIES TIMEOUT 120 ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")

add_test(NAME e2e.install COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/install.sh ${CMAKE_BINARY_DIR})
set_tests_properties(e2e.install PROPERTIES TIMEOUT 120 ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")

# The robot's verbs played with a scripted hand on a level the test writes.
add_test(NAME e2e.robot_run
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/robot_run.sh $<TARGET_FILE:wingtron> ${WINGTRON_GAME_DIR})
set_tests_properties(e2e.robot_run PROPERTIES TIMEOUT 300)

# The first level played through the tutorial by a scripted player, then replayed by the runner.
add_executable(tutorial_player e2e/tutorial_player.cpp)
target_link_libraries(tutorial_player PRIVATE game_core platform_headless)
if(TARGET campaign_levels)
    add_test(NAME e2e.tutorial_run
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/tutorial_run.sh $<TARGET_FILE:wingtron>
                     $<TARGET_FILE:tutorial_player> ${WINGTRON_GAME_DIR})
    set_tests_properties(e2e.tutorial_run PROPERTIES TIMEOUT 600)
endif()

# The whole campaign played from a first start by the expert bot (not in the sanitizer build,
# where scripts/soak.sh plays it).
if(TARGET campaign_levels AND NOT WINGTRON_SANITIZE)
    add_test(NAME e2e.campaign
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/campaign_run.sh $<TARGET_FILE:wingtron> ${WINGTRON_GAME_DIR})
    set_tests_properties(e2e.campaign PROPERTIES TIMEOUT 600)
endif()
