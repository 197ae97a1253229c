# Program frame: frame pacing, the mode loop, the scripted driver and the game as processes.
mvx_add_test(app_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/frame_pacing_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mode_loop_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/driver_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/json_writer_test.cpp)
add_dependencies(app_tests morvexa morvexa-script)
