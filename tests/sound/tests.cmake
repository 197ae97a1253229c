# Sound: the XM engine (one file per effect group, song flow, rendering, parsing), the
# threaded player on the scripted backend, the WAV chunk walk and the effect bank.
if(TARGET mvx_xmwriter)
    mvx_add_test(xm_engine_tests
        SOURCES
            ${CMAKE_CURRENT_LIST_DIR}/xm_pitch_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/xm_volume_pan_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/xm_note_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/xm_song_flow_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/xm_mixer_render_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/xm_module_load_test.cpp
        LIBS mvx_xmengine mvx_xmwriter)
    mvx_add_test(xm_player_tests
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/xm_player_test.cpp
        LIBS mvx_sound mvx_xmwriter)
endif()
mvx_add_test(sound_effect_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/sound_effects_test.cpp
    LIBS mvx_sound)

# Accuracy against the reference renderings of the XM kit beside the repository (never copied
# into it). Skipped when the kit is absent; the modules that differ on purpose, or still differ,
# are listed with their reason in xmref_expected_failures.txt.
if(TARGET xmrender)
    add_test(NAME XmRendersMatchTheReferenceKit
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/xmref_check.sh $<TARGET_FILE:xmrender>
                     ${CMAKE_CURRENT_LIST_DIR}/xmref_expected_failures.txt)
    set_tests_properties(XmRendersMatchTheReferenceKit PROPERTIES
        SKIP_RETURN_CODE 77
        TIMEOUT 900
        ENVIRONMENT "MVX_XMREF_DEFAULT=${PROJECT_SOURCE_DIR}/../shared/xmref")
    add_test(NAME XmRenderCommandLineSaysWhatHappened
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/xmrender_cli_check.sh $<TARGET_FILE:xmrender>
                     ${PROJECT_SOURCE_DIR}/assets/music4.xm)
endif()
