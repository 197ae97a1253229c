# Music: the song notation, the synthesised instruments, the song-length reading and the
# quality check of the five shipped songs (rendered by the game's own engine).
if(TARGET mvx_assetgen)
    mvx_add_test(music_tests
        SOURCES
            ${CMAKE_CURRENT_LIST_DIR}/music_notation_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/music_synth_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/music_timing_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/music_songs_test.cpp
        LIBS mvx_assetgen mvx_xmengine)
endif()
