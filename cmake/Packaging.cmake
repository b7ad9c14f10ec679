# The packages (bash scripts/package.sh, or cpack in a build folder):
#  - wingtron_VERSION_amd64.deb: the game in /usr/games as Debian keeps games, the installed
#    layout's data, entry, icon, metainfo and manual page, the copyright and changelog in
#    /usr/share/doc/wingtron and lintian's overrides; dependencies found by dpkg-shlibdeps.
#  - wingtron-VERSION-linux-x86_64.tar.gz: the game folder as built, a launcher that runs it
#    from wherever it is unpacked, a short README and the copyright.
# Each package takes its own install components; cmake/CPackChooseParts.cmake picks them.

# The executable finds its data at WINGTRON_DATA_FROM_BIN from its own folder: from
# /usr/games that has to lead to the same data folder as from the bin folder.
file(RELATIVE_PATH data_from_games /usr/games /usr/${CMAKE_INSTALL_DATADIR}/wingtron)
if(NOT data_from_games STREQUAL WINGTRON_DATA_FROM_BIN)
    message(FATAL_ERROR "The Debian package's /usr/games/wingtron would look for its data in ${data_from_games}, "
                        "the game in ${WINGTRON_DATA_FROM_BIN}: keep CMAKE_INSTALL_BINDIR one folder deep")
endif()

set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/wingtron)
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/packaging/changelog
    DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog
    VERBATIM)
add_custom_target(package_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.gz)

install(TARGETS wingtron RUNTIME DESTINATION games COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${doc_dir}
        COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME wingtron
        COMPONENT deb EXCLUDE_FROM_ALL)

install(TARGETS wingtron RUNTIME DESTINATION game COMPONENT portable EXCLUDE_FROM_ALL)
install(DIRECTORY ${WINGTRON_DATA_FOLDERS} DESTINATION game COMPONENT portable EXCLUDE_FROM_ALL)
install(FILES ${WINGTRON_GAME_DIR}/wingtron.png DESTINATION game COMPONENT portable EXCLUDE_FROM_ALL OPTIONAL)
install(PROGRAMS packaging/launcher.sh DESTINATION . RENAME wingtron COMPONENT portable EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_BINARY_DIR}/packaging/README.portable DESTINATION . RENAME README
        COMPONENT portable EXCLUDE_FROM_ALL)
install(FILES packaging/copyright DESTINATION . RENAME COPYRIGHT COMPONENT portable EXCLUDE_FROM_ALL)

set(CPACK_PACKAGE_NAME wingtron)
set(CPACK_PACKAGE_VENDOR "Wingtron developers")
set(CPACK_PACKAGE_CONTACT ${WINGTRON_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: free the flies caught in a spider web")
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/CPackStripComments.cmake)
set(CPACK_WINGTRON_STRIP ${CMAKE_STRIP})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# CPack puts the summary on the Description line and indents these lines below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[Wingtron is a single-player 2D arcade game. A small chrome robot fly sits on
a branch below a spider web; flies keep getting caught in the web and hungry
spiders walk over to eat them. Aim with the mouse and fire lasers, bombs,
freeze shots, shields, lures, alpha missiles and time warps to set the flies
free before the spiders reach them, without overheating the robot.

Thirty levels on two difficulties, five stars each, four player profiles, a
high-score table and a tutorial.]=])
# dpkg-shlibdeps finds the libraries the executable links; SDL2 opens the OpenGL library for
# the window's context itself (dlopen), which no linker records.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libgl1)
string(TOLOWER ${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR} CPACK_WINGTRON_PLATFORM)
set(CPACK_WINGTRON_VERSION_FILE ${WINGTRON_VERSION_FILE})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/CPackChooseParts.cmake)
include(CPack)
