# Play: the cost of a heavy play frame (logic alone and GL calls) and of a long idle game.
add_executable(play_bench ${CMAKE_CURRENT_LIST_DIR}/play_bench.cpp)
target_link_libraries(play_bench PRIVATE mvx_game benchmark::benchmark mvx_warnings)
