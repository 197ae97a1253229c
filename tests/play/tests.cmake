# Play: scenario runs of the real play mode on the scripted backend.
mvx_add_test(play_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/play_harness.cpp
    ${CMAKE_CURRENT_LIST_DIR}/movement_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/hazards_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/devices_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/camera_hud_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/entry_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/golden_test.cpp)
