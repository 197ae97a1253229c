# Art: the picture generator (its BMP writer, painting tools and letters) and the pictures it
# paints, checked as the game decodes them.
set(ART_TESTS ${CMAKE_CURRENT_LIST_DIR})
if(TARGET mvx_assetgen)
    mvx_add_test(art_tests SOURCES
        ${ART_TESTS}/bmp_writer_test.cpp
        ${ART_TESTS}/art_tools_test.cpp
        ${ART_TESTS}/art_pictures_test.cpp
        LIBS mvx_assetgen)
endif()
