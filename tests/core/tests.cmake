# Core: the asset catalogue with the embedded pictures and modules, the cell-code table, and
# the level map and its file.
mvx_add_test(core_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/catalogue_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cell_codes_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/level_map_test.cpp)
