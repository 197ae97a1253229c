# Game objects: shots, drones, particles and orbs in scenario runs of the play mode; the
# background panels' layout and scroll.
mvx_add_test(objects_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/shots_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pickups_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/back_panels_test.cpp)
