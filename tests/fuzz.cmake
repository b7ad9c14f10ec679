# Fuzz targets (tests/fuzz), built with clang's libFuzzer in a separate configure so the
# gcc build never sees them, and run by ctest for a bounded time each. They carry their own
# sanitizers, so they are registered in the plain build only.
option(WINGTRON_FUZZ "Build and run the libFuzzer targets when clang supports them" ON)

if(WINGTRON_FUZZ AND NOT WINGTRON_SANITIZE)
    find_program(WINGTRON_CLANGXX NAMES clang++-14 clang++)
    if(WINGTRON_CLANGXX AND NOT DEFINED WINGTRON_LIBFUZZER_WORKS)
        set(probe ${CMAKE_BINARY_DIR}/fuzz_probe)
        file(WRITE ${probe}.cpp
            "#include <cstddef>\n#include <cstdint>\n"
            "extern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }\n")
        execute_process(
            COMMAND ${WINGTRON_CLANGXX} -fsanitize=fuzzer,address,undefined ${probe}.cpp -o ${probe}
            RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
        if(probe_result EQUAL 0)
            set(WINGTRON_LIBFUZZER_WORKS ON CACHE INTERNAL "clang++ builds libFuzzer targets")
        else()
            set(WINGTRON_LIBFUZZER_WORKS OFF CACHE INTERNAL "clang++ builds libFuzzer targets")
        endif()
    endif()

    if(WINGTRON_CLANGXX AND WINGTRON_LIBFUZZER_WORKS)
        include(ExternalProject)
        set(fuzz_bin ${CMAKE_CURRENT_BINARY_DIR}/fuzz)
        set(fuzz_args -DCMAKE_CXX_COMPILER=${WINGTRON_CLANGXX} -DWINGTRON_SOURCE_DIR=${CMAKE_SOURCE_DIR})
        if(CCACHE_PROGRAM)
            list(APPEND fuzz_args -DCMAKE_CXX_COMPILER_LAUNCHER=${CCACHE_PROGRAM})
        endif()
        ExternalProject_Add(wingtron_fuzzers
            SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/fuzz
            BINARY_DIR ${fuzz_bin}
            CMAKE_ARGS ${fuzz_args}
            INSTALL_COMMAND ""
            BUILD_ALWAYS ON)

        set(WINGTRON_FUZZ_SECONDS 20 CACHE STRING "How long ctest runs each fuzz target")
        foreach(target xml_text xml_binary config profile high_score input_script)
            # New inputs go to a scratch corpus in the build tree; the seeds stay as they are.
            set(work ${fuzz_bin}/corpus_${target})
            file(MAKE_DIRECTORY ${work})
            add_test(NAME fuzz_${target}
                COMMAND ${fuzz_bin}/fuzz_${target} -max_total_time=${WINGTRON_FUZZ_SECONDS} -timeout=10
                    -rss_limit_mb=1024 -print_final_stats=1 ${work}
                    ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/${target})
            set_tests_properties(fuzz_${target} PROPERTIES LABELS fuzz TIMEOUT 300)
        endforeach()
    else()
        message(STATUS "clang++ with libFuzzer not usable: fuzz targets skipped")
    endif()
endif()
