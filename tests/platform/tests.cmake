# Platform layer: key scripts, the key query and its latch, the virtual clock, gamepads as
# keys, the SDL capture device, and the layer check that keeps SDL in platform/ and GL in
# render/ and platform/.
mvx_add_test(platform_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/scripted_platform_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gamepad_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audio_capture_device_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/include_check_test.cpp)
add_test(NAME IncludesStayInTheirLayers
         COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check-includes.sh ${PROJECT_SOURCE_DIR})
