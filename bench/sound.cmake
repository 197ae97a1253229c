# Sound: the XM mixer's speed (x real time, ns per active voice per output frame).
if(TARGET mvx_xmwriter)
    add_executable(xm_mixer_bench ${CMAKE_CURRENT_LIST_DIR}/xm_mixer_bench.cpp)
    target_link_libraries(xm_mixer_bench PRIVATE mvx_xmengine mvx_xmwriter benchmark::benchmark
                          mvx_warnings)
    target_compile_definitions(xm_mixer_bench PRIVATE MVX_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endif()
