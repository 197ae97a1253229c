# Content: the level map and its file, the reachability of the shipped sector under the
# movement rules, the catalogue, the background panels, the sound effects and the asset
# generator.
set(CONTENT_TESTS ${CMAKE_CURRENT_LIST_DIR})
mvx_add_test(content_map_tests SOURCES
    ${CONTENT_TESTS}/level_map_test.cpp
    ${CONTENT_TESTS}/sector_flood_test.cpp)
mvx_add_test(content_catalogue_tests SOURCES
    ${CONTENT_TESTS}/catalogue_test.cpp
    ${CONTENT_TESTS}/back_panels_test.cpp
    ${CONTENT_TESTS}/sound_files_test.cpp)
# The generator itself, when the tools are built.
if(TARGET mvx_assetgen)
    mvx_add_test(content_generator_tests SOURCES ${CONTENT_TESTS}/generator_test.cpp
                 LIBS mvx_assetgen)
endif()
