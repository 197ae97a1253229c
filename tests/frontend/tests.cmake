# Front end: the high-score table and file, the background effects and the audio input, the
# main menu and the high-score mode with their golden pictures.
mvx_add_test(frontend_highscore_table_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/highscore_table_test.cpp)
mvx_add_test(frontend_effects_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/front_end_effects_test.cpp)
mvx_add_test(frontend_modes_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/front_end_modes_test.cpp)
