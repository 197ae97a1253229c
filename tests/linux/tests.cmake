# The game on a player's Linux machine: where its files live, the window (resizing,
# Alt+Enter, the answer given in advance), and the install and the .deb with their file lists.
set(MVX_LINUX_TESTS ${CMAKE_CURRENT_LIST_DIR})

mvx_add_test(linux_data_dir_test SOURCES ${MVX_LINUX_TESTS}/data_dir_test.cpp)
mvx_add_test(linux_window_test SOURCES ${MVX_LINUX_TESTS}/window_test.cpp)

# The data-folder test installs this build and runs the installed game as a program.
add_dependencies(linux_data_dir_test morvexa manpage)
if(TARGET icons)
    add_dependencies(linux_data_dir_test icons)
endif()
target_compile_definitions(linux_data_dir_test PRIVATE
    MVX_CMAKE_COMMAND="${CMAKE_COMMAND}"
    MVX_INSTALL_BINDIR="${MORVEXA_INSTALL_BINDIR}"
    MVX_INSTALL_DATADIR="${MORVEXA_INSTALL_DATADIR}")

# ---------------------------------------------------------------- install and package
# The files a player's machine gets, relative to the prefix. The same list is checked after
# `cmake --install` into a temporary prefix and inside the .deb (under usr/).
set(MVX_EXPECTED_FILES
    ${MORVEXA_INSTALL_BINDIR}/morvexa
    ${MORVEXA_INSTALL_DATADIR}/startmap.map
    ${CMAKE_INSTALL_DATADIR}/applications/morvexa.desktop
    ${CMAKE_INSTALL_DATADIR}/metainfo/io.github.morvexa.morvexa.metainfo.xml
    ${CMAKE_INSTALL_MANDIR}/man6/morvexa.6.gz
    ${CMAKE_INSTALL_DOCDIR}/copyright)
foreach(size 16 22 24 32 48 64 128 256)
    list(APPEND MVX_EXPECTED_FILES ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps/morvexa.png)
endforeach()
string(REPLACE ";" "|" MVX_EXPECTED_FILES_ARG "${MVX_EXPECTED_FILES}")

find_program(MVX_DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(MVX_APPSTREAMCLI appstreamcli)

add_test(NAME linux_install_puts_every_file_in_its_place
    COMMAND ${CMAKE_COMMAND} -DBUILD=${PROJECT_BINARY_DIR} -DWORK=${CMAKE_CURRENT_BINARY_DIR}/linux_install
            "-DEXPECTED=${MVX_EXPECTED_FILES_ARG}" -DAPPSTREAMCLI=${MVX_APPSTREAMCLI}
            -P ${MVX_LINUX_TESTS}/check_install.cmake)
find_program(MVX_DPKG_DEB dpkg-deb)
find_program(MVX_CPACK cpack HINTS ${CMAKE_COMMAND}/..)
if(MVX_DESKTOP_FILE_VALIDATE)
    add_test(NAME linux_desktop_entry_is_valid
        COMMAND ${MVX_DESKTOP_FILE_VALIDATE} ${PROJECT_SOURCE_DIR}/packaging/morvexa.desktop)
else()
    message(STATUS "desktop-file-validate not found (desktop-file-utils): the desktop entry is not checked")
endif()
if(MVX_APPSTREAMCLI)
    add_test(NAME linux_metainfo_is_valid
        COMMAND ${MVX_APPSTREAMCLI} validate --no-net --pedantic
                ${PROJECT_SOURCE_DIR}/packaging/io.github.morvexa.morvexa.metainfo.xml)
else()
    message(STATUS "appstreamcli not found (appstream): the metainfo is not checked")
endif()
if(MVX_DPKG_DEB AND MVX_CPACK)
    add_test(NAME linux_deb_package_holds_the_game_in_section_games
        COMMAND ${CMAKE_COMMAND} -DBUILD=${PROJECT_BINARY_DIR} -DWORK=${CMAKE_CURRENT_BINARY_DIR}/linux_deb
                -DCPACK=${MVX_CPACK} -DDPKG_DEB=${MVX_DPKG_DEB} "-DEXPECTED=${MVX_EXPECTED_FILES_ARG}"
                -P ${MVX_LINUX_TESTS}/check_deb.cmake)
    # Both run installs of the same build tree.
    set_tests_properties(linux_install_puts_every_file_in_its_place
                         linux_deb_package_holds_the_game_in_section_games
                         PROPERTIES RESOURCE_LOCK mvx_install TIMEOUT 600)
else()
    message(STATUS "dpkg-deb or cpack not found: the .deb is not checked")
endif()
