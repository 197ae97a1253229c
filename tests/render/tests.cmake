# Render layer: BMP decoding, textures, sprites and primitives, text, projections, letterbox,
# and the golden pictures.
mvx_add_test(render_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/image_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/draw_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/draw_order_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/partial_frame_test.cpp)
