# Reliability: the bad-input table's rows, the fuzz targets' saved inputs replayed, the music
# player's threads under load, the soak run, and the end-to-end test of the real program
# under Xvfb (scripts/e2e.sh). scripts/sanitize.sh runs all of them under the sanitizers.
set(MVX_RELIABILITY_TESTS ${CMAKE_CURRENT_LIST_DIR})

mvx_add_test(reliability_bad_input_test SOURCES ${MVX_RELIABILITY_TESTS}/bad_input_test.cpp)
# The driver and the game run as programs in the rows about folders and displays.
add_dependencies(reliability_bad_input_test morvexa morvexa-script)

# The fuzz targets' bodies, each built with its entry point renamed (FuzzMapInput, ...).
set(MVX_FUZZ_BODIES)
foreach(target map mapplay score bmp xm wav replay)
    set(body ${PROJECT_SOURCE_DIR}/fuzz/${target}_fuzzer.cpp)
    string(SUBSTRING ${target} 0 1 first)
    string(TOUPPER ${first} first)
    string(SUBSTRING ${target} 1 -1 rest)
    set_source_files_properties(${body} PROPERTIES
        COMPILE_DEFINITIONS LLVMFuzzerTestOneInput=Fuzz${first}${rest}Input)
    list(APPEND MVX_FUZZ_BODIES ${body})
endforeach()
mvx_add_test(reliability_fuzz_replay_test
    SOURCES ${MVX_RELIABILITY_TESTS}/fuzz_replay_test.cpp ${MVX_FUZZ_BODIES}
    LIBS mvx_xmengine mvx_wavchunks)

mvx_add_test(reliability_music_threads_test
    SOURCES ${MVX_RELIABILITY_TESTS}/music_threads_test.cpp)

# An hour of play by default (MORVEXA_SOAK_FRAMES), drawing off: a few seconds.
mvx_add_test(reliability_soak_test SOURCES ${MVX_RELIABILITY_TESTS}/soak_test.cpp)

# The AddressSanitizer runs preload this (scripts/sanitize.sh): the GL driver's modules stay
# mapped to the end, so LeakSanitizer does not take their own blocks for leaks. No
# sanitizer in it: every program ctest starts gets it.
if(MORVEXA_SANITIZE STREQUAL "address")
    add_library(mvx_keep_gl_loaded MODULE ${MVX_RELIABILITY_TESTS}/keep_gl_loaded.c)
    target_compile_options(mvx_keep_gl_loaded PRIVATE -fno-sanitize=all)
    target_link_options(mvx_keep_gl_loaded PRIVATE -fno-sanitize=all)
    target_link_libraries(mvx_keep_gl_loaded PRIVATE ${CMAKE_DL_LIBS} mvx_warnings)
endif()

# The end-to-end test: the real game under Xvfb, keys from xdotool, screenshots by xwd made
# into PNGs by ImageMagick (build/<dir>/e2e/). Skipped (77) without Xvfb, xdotool, xwd or
# ImageMagick.
add_test(NAME EndToEnd.TheRealGameUnderXvfbGoesFromTheMenuIntoAGameAndOutThroughExitGame
         COMMAND ${PROJECT_SOURCE_DIR}/scripts/e2e.sh ${PROJECT_BINARY_DIR})
set_tests_properties(EndToEnd.TheRealGameUnderXvfbGoesFromTheMenuIntoAGameAndOutThroughExitGame
                     PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300 RESOURCE_LOCK e2e)
