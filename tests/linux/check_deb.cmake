# check_deb.cmake - builds the .deb of the build BUILD with CPack, reads its control fields
# (package morvexa, section games, library dependencies found by dpkg-shlibdeps, root-owned
# files), unpacks it into a temporary root with dpkg-deb -x and compares the files there
# with EXPECTED under usr/, then looks inside them as the install check does.
#   cmake -DBUILD=... -DWORK=... -DCPACK=... -DDPKG_DEB=... -DEXPECTED=a|b|c -P check_deb.cmake
include(${CMAKE_CURRENT_LIST_DIR}/file_list.cmake)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD}/CPackConfig.cmake -B ${WORK}/out
                WORKING_DIRECTORY ${WORK} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cpack failed (${rc}):\n${out}\n${err}")
endif()
file(GLOB debs ${WORK}/out/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one .deb in ${WORK}/out, found ${count}: ${debs}")
endif()

foreach(field Package Section Depends Architecture Maintainer Description Recommends)
    execute_process(COMMAND ${DPKG_DEB} -f ${debs} ${field} OUTPUT_VARIABLE value
                    OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "dpkg-deb -f ${debs} ${field} failed")
    endif()
    string(TOLOWER ${field} name)
    set(${name} "${value}")
endforeach()
if(NOT package STREQUAL "morvexa" OR NOT section STREQUAL "games" OR NOT recommends MATCHES "libgl1-mesa-dri")
    message(FATAL_ERROR "package '${package}' in section '${section}' recommending '${recommends}', want morvexa in games recommending libgl1-mesa-dri")
endif()
# SDL, the GL that SDL opens at run time (GLX and EGL), GLU, C++ and C libraries.
foreach(library "libsdl2-2\\.0-0" "libgl1" "libegl1" "libglu1(-mesa)?" "libstdc\\+\\+6" "libc6")
    if(NOT depends MATCHES "(^|[,|] )${library}( |,|$)")
        message(FATAL_ERROR "Depends lacks ${library}: ${depends}")
    endif()
endforeach()
if(architecture STREQUAL "" OR maintainer STREQUAL "" OR NOT description MATCHES "\n")
    message(FATAL_ERROR "incomplete control fields: '${architecture}' '${maintainer}' '${description}'")
endif()

execute_process(COMMAND ${DPKG_DEB} -c ${debs} OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
string(REGEX MATCHALL "\n[^\n]*" lines "\n${listing}")
foreach(line IN LISTS lines)
    if(line MATCHES "^\n[-dl][^ ]* +([^ ]+) " AND NOT CMAKE_MATCH_1 STREQUAL "root/root")
        message(FATAL_ERROR "not owned by root: ${line}")
    endif()
endforeach()

execute_process(COMMAND ${DPKG_DEB} -x ${debs} ${WORK}/root RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -x failed: ${err}")
endif()
string(REPLACE "|" ";" expected "${EXPECTED}")
CompareFileLists(${WORK}/root "usr/" "${expected}")
CheckInstalledFiles(${WORK}/root "usr/" "${expected}" ${BUILD})
message(STATUS "${debs}: ${package} in ${section}, depends on ${depends}")
