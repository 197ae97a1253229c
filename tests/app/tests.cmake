# Program frame: frame pacing, the mode loop, the scripted driver, its state dump's JSON and
# the game as processes.
mvx_add_test(app_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/mode_loop_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/driver_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dump_events_test.cpp)
add_dependencies(app_tests morvexa morvexa-script)
