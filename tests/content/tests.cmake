# Content: the level map and its file, the movement rules and the reachability of the shipped
# sector, the catalogue, the background panels, the sound effects and the asset generator.
set(CONTENT_TESTS ${CMAKE_CURRENT_LIST_DIR})
mvx_add_test(content_map_tests SOURCES
    ${CONTENT_TESTS}/level_map_test.cpp
    ${CONTENT_TESTS}/player_motion_test.cpp
    ${CONTENT_TESTS}/sector_flood.cpp
    ${CONTENT_TESTS}/sector_flood_test.cpp
    ${CONTENT_TESTS}/sector_map_test.cpp)
