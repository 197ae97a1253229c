# The asset generator's work: the shipped sector (every orb reachable under the movement
# rules) and the shipped effects; with the tools built, the generator itself (byte for byte
# the committed assets, which holds its BMP writer, painters and letters to what they made).
mvx_add_test(tools_assets_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/sector_flood_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sound_files_test.cpp)
if(TARGET mvx_assetgen)
    mvx_add_test(tools_assetgen_tests SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/generator_test.cpp
        LIBS mvx_assetgen)
endif()
