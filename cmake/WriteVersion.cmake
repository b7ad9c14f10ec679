# Runs at every build (cmake -P): works out the game's version and writes the files that
# carry it, each only when its text changed, so an unchanged version rebuilds nothing.
#   -DSOURCE_DIR= -DBINARY_DIR= -DBASE_VERSION= (the project's version) -DWINGTRON_MAINTAINER= -DWINGTRON_APPSTREAM_ID=
# The version is BASE_VERSION, plus "+git<commits>.<hash>" (and ".dirty" for uncommitted
# changes) when built from a git checkout whose HEAD is not the tag vBASE_VERSION. That keeps
# it a valid Debian version that rises with every commit.

set(version ${BASE_VERSION})
set(epoch "")
find_program(GIT_PROGRAM git)
if(GIT_PROGRAM AND EXISTS ${SOURCE_DIR}/.git)
    execute_process(COMMAND ${GIT_PROGRAM} -C ${SOURCE_DIR} describe --tags --always --dirty --match v*
                    OUTPUT_VARIABLE describe OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
    execute_process(COMMAND ${GIT_PROGRAM} -C ${SOURCE_DIR} rev-list --count HEAD
                    OUTPUT_VARIABLE count OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    execute_process(COMMAND ${GIT_PROGRAM} -C ${SOURCE_DIR} log -1 --format=%h:%ct
                    OUTPUT_VARIABLE head OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT failed AND head MATCHES "^([0-9a-f]+):([0-9]+)$")
        set(hash ${CMAKE_MATCH_1})
        set(epoch ${CMAKE_MATCH_2})
        if(NOT describe STREQUAL "v${BASE_VERSION}")
            set(version "${BASE_VERSION}+git${count}.${hash}")
            if(describe MATCHES "-dirty$")
                string(APPEND version ".dirty")
            endif()
        endif()
    endif()
endif()

# The release date is the last commit's (or SOURCE_DATE_EPOCH's, or today's), so two builds
# of one commit write the same files.
if(epoch AND NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()
string(TIMESTAMP WINGTRON_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP WINGTRON_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(WINGTRON_VERSION ${version})

function(write_if_changed path text)
    if(EXISTS ${path})
        file(READ ${path} old)
        if(old STREQUAL text)
            return()
        endif()
    endif()
    file(WRITE ${path} "${text}")
endfunction()

write_if_changed(${BINARY_DIR}/version.txt "${WINGTRON_VERSION}\n")
write_if_changed(${BINARY_DIR}/release-date.txt "${WINGTRON_RELEASE_DATE}\n")
write_if_changed(${BINARY_DIR}/generated/version.cpp
    "// Written by cmake/WriteVersion.cmake at build time.\n#include \"shell/version.h\"\n\nconst char* const kGameVersion = \"${WINGTRON_VERSION}\";\n")
foreach(template wingtron.metainfo.xml changelog README.portable)
    configure_file(${SOURCE_DIR}/packaging/${template}.in ${BINARY_DIR}/packaging/${template} @ONLY)
endforeach()
