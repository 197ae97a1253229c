# Play: scenario runs of the real play mode on the scripted backend.
mvx_add_test(play_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/movement_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/visits_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screen_test.cpp)
