# check_install.cmake - installs the build BUILD into a fresh prefix under WORK, exactly as a
# player or packager would (cmake --install), and compares the installed files with EXPECTED
# ("|"-separated paths relative to the prefix): nothing missing, nothing extra. Then looks
# inside: the executable runs (--version), the map and the desktop entry are the project's,
# the man page is gzip data, every icon is a PNG of its folder's size, and (with APPSTREAMCLI)
# the installed tree passes appstreamcli validate-tree.
#   cmake -DBUILD=... -DWORK=... -DEXPECTED=a|b|c [-DAPPSTREAMCLI=...] -P check_install.cmake
include(${CMAKE_CURRENT_LIST_DIR}/file_list.cmake)

set(prefix ${WORK}/prefix)
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${rc}):\n${out}\n${err}")
endif()

string(REPLACE "|" ";" expected "${EXPECTED}")
CompareFileLists(${prefix} "" "${expected}")
CheckInstalledFiles(${prefix} "" "${expected}" ${BUILD})
# The metainfo, the desktop entry and the icons as a software centre sees them together.
if(APPSTREAMCLI)
    execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net ${prefix}
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "appstreamcli validate-tree ${prefix} failed:\n${out}\n${err}")
    endif()
endif()
message(STATUS "installed ${prefix}: every file in its place")
