# Runtime support: random numbers, cursor lists, conversions and angle maths.
mvx_add_test(support_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/list_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/maths_test.cpp)
