# Between levels: the level-end round and the shop, run with the game's real pictures.
mvx_add_test(between_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/level_end_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shop_test.cpp)
