# Program frame: frame pacing, the mode loop, the command line, the icon, the scripted driver,
# its state dump's JSON and the sound of each event, the game as processes, and replays (one
# whole game among them).
mvx_add_test(app_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/mode_loop_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/command_line_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/game_icon_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/driver_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sound_events_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/replay_test.cpp)
add_dependencies(app_tests morvexa morvexa-script)
target_compile_definitions(app_tests PRIVATE MVX_VERSION_TEXT="${PROJECT_VERSION}")
