# Every #include under src/ points down the rooms' order (scripts/check_includes.py).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME layout.include_order
         COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/scripts/check_includes.py ${CMAKE_SOURCE_DIR}/src)
# The check itself refuses a tree with an upward include.
add_test(NAME layout.include_order_refuses_upward
         COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/scripts/check_includes.py
                 ${CMAKE_CURRENT_SOURCE_DIR}/layout/upward/src)
set_tests_properties(layout.include_order_refuses_upward PROPERTIES WILL_FAIL TRUE)
