# The game's version: the project's, plus the commit when built from a git checkout. It is
# worked out at every build (cmake/WriteVersion.cmake), not at configure time, so a new commit
# never leaves a stale version in the executable or the packages; files are rewritten only
# when their text changes, so an unchanged version rebuilds nothing.
set(WINGTRON_MAINTAINER "Wingtron maintainers <maintainers@users.noreply.c-seed-5ad8dd66.example>"
    CACHE STRING "Maintainer named in the Debian package and its changelog")
# The AppStream id is reverse-DNS, as software centres require; the metainfo file is named after it.
set(WINGTRON_APPSTREAM_ID org.wingtron.wingtron)
set(WINGTRON_VERSION_FILE ${CMAKE_BINARY_DIR}/version.txt)
add_custom_target(wingtron_version
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DBINARY_DIR=${PROJECT_BINARY_DIR}
            -DBASE_VERSION=${PROJECT_VERSION} -DWINGTRON_MAINTAINER=${WINGTRON_MAINTAINER}
            -DWINGTRON_APPSTREAM_ID=${WINGTRON_APPSTREAM_ID}
            -P ${PROJECT_SOURCE_DIR}/cmake/WriteVersion.cmake
    BYPRODUCTS ${WINGTRON_VERSION_FILE} ${CMAKE_BINARY_DIR}/release-date.txt
               ${CMAKE_BINARY_DIR}/generated/version.cpp ${CMAKE_BINARY_DIR}/packaging/wingtron.metainfo.xml
               ${CMAKE_BINARY_DIR}/packaging/changelog ${CMAKE_BINARY_DIR}/packaging/README.portable
    COMMENT "Working out the version"
    VERBATIM)
