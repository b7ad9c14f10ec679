# The browser build: the game's sources with the web backend (src/platform/web) instead of
# SDL, desktop OpenGL and OpenAL Soft, stb for pictures and sounds, emitted as a .js and a
# .wasm beside the page and one data package. Configure with emcmake; WINGTRON_WEB_DATA
# names a desktop build's game folder whose generated data the package takes.
set(WINGTRON_WEB_DATA "" CACHE PATH "Game folder of a desktop build holding the generated data")
if(NOT IS_DIRECTORY "${WINGTRON_WEB_DATA}/media")
    message(FATAL_ERROR "WINGTRON_WEB_DATA must name a desktop build's game folder (with media/, sounds/ ...)")
endif()

set(SRC ${CMAKE_SOURCE_DIR}/src)
file(GLOB_RECURSE WEB_SOURCES CONFIGURE_DEPENDS
    ${SRC}/main.cpp ${SRC}/shell/*.cpp ${SRC}/bot/*.cpp ${SRC}/state/*.cpp ${SRC}/entities/*.cpp ${SRC}/world/*.cpp
    ${SRC}/player/*.cpp ${SRC}/fx/*.cpp ${SRC}/ui/*.cpp ${SRC}/persist/*.cpp ${SRC}/sound/*.cpp
    ${SRC}/platform/*.cpp ${SRC}/platform/headless/*.cpp ${SRC}/platform/openal/*.cpp ${SRC}/platform/web/*.cpp
    ${SRC}/platform/web/*.c)
# The desktop's decoders and decoding threads have browser counterparts under web/.
list(FILTER WEB_SOURCES EXCLUDE REGEX "/platform/(real/|picture_decode\\.cpp$|sound_decode\\.cpp$|preload\\.cpp$)")

# Only the headers the build needs: -I/usr/include would bring the host's C library in.
set(WEB_INCLUDE ${CMAKE_BINARY_DIR}/web-include)
file(MAKE_DIRECTORY ${WEB_INCLUDE})
foreach(lib stb nlohmann)
    if(NOT IS_DIRECTORY /usr/include/${lib})
        message(FATAL_ERROR "/usr/include/${lib} is missing (Debian packages libstb-dev, nlohmann-json3-dev)")
    endif()
    file(CREATE_LINK /usr/include/${lib} ${WEB_INCLUDE}/${lib} SYMBOLIC)
endforeach()

# -O2 rather than CMake's -O3 for Release: the same speed here, a smaller .wasm.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG")

add_executable(wingtron ${WEB_SOURCES} ${CMAKE_BINARY_DIR}/generated/version.cpp)
add_dependencies(wingtron wingtron_version)
target_include_directories(wingtron PRIVATE ${SRC})
target_include_directories(wingtron SYSTEM PRIVATE ${WEB_INCLUDE} ${SRC}/platform/web/compat)
target_compile_options(wingtron PRIVATE -fexceptions)
set(WEB_DATA_ARGS)
foreach(dir media sounds music ambient Levels levels)
    list(APPEND WEB_DATA_ARGS "SHELL:--preload-file ${WINGTRON_WEB_DATA}/${dir}@/data/${dir}")
endforeach()
target_link_options(wingtron PRIVATE
    -fexceptions
    -sASYNCIFY -sASYNCIFY_STACK_SIZE=262144
    -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=134217728
    -sMAX_WEBGL_VERSION=1 -sMIN_WEBGL_VERSION=1
    -sEXIT_RUNTIME=1 -sINVOKE_RUN=0 -sENVIRONMENT=web
    "-sEXPORTED_RUNTIME_METHODS=['FS','callMain']"
    --pre-js ${SRC}/platform/web/pre.js
    -lidbfs.js -lopenal
    ${WEB_DATA_ARGS})
set_target_properties(wingtron PROPERTIES SUFFIX ".js" LINK_DEPENDS "${SRC}/platform/web/pre.js")

# The sound driver alone in a page, for the browser tests (tests/web/run.js): what a voice
# stopped mid-wave sounds like in Web Audio.
add_executable(fade_probe ${CMAKE_SOURCE_DIR}/tests/web/fade_probe.cpp ${SRC}/platform/openal/openal_voices.cpp
    ${SRC}/platform/web/web_audio.cpp ${SRC}/platform/web/stb_vorbis.c)
target_include_directories(fade_probe PRIVATE ${SRC})
target_include_directories(fade_probe SYSTEM PRIVATE ${WEB_INCLUDE})
target_link_options(fade_probe PRIVATE -sASYNCIFY -sENVIRONMENT=web "-sEXPORTED_RUNTIME_METHODS=['callMain']"
    -lopenal)
set_target_properties(fade_probe PROPERTIES SUFFIX ".js")
