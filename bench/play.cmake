# Play and menu: the cost of a drawn heavy play frame, a long game's scene, a menu frame, the
# start-up, and game logic alone.
add_executable(play_bench ${CMAKE_CURRENT_LIST_DIR}/play_bench.cpp)
target_link_libraries(play_bench PRIVATE mvx_game benchmark::benchmark mvx_warnings)
target_compile_definitions(play_bench PRIVATE MORVEXA_SCRIPT_PATH="$<TARGET_FILE:morvexa-script>"
    MORVEXA_ASSETS_DIR="${PROJECT_SOURCE_DIR}/assets")
add_dependencies(play_bench morvexa-script)
