# The OpenAL driver checked through ALC_SOFT_loopback: real mixing, no sound card needed.
add_executable(openal_loopback_test real/openal_loopback_test.cpp)
target_include_directories(openal_loopback_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(openal_loopback_test PRIVATE game_core platform_real OpenAL::OpenAL GTest::gtest GTest::gtest_main)
gtest_discover_tests(openal_loopback_test DISCOVERY_TIMEOUT 60)
