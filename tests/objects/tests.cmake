# Game objects: shots, drones, particles and orbs in scenario runs of the play mode.
mvx_add_test(objects_tests SOURCES
    ${CMAKE_SOURCE_DIR}/tests/play/scenario.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shots_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pickups_test.cpp)
