# Compiler and linker flags for KELVO_SANITIZE and KELVO_FUZZ, and the
# environment the tests run in when sanitized.

# float-cast-overflow is part of clang's "undefined" but not of gcc's; the
# voltage conversions depend on it.
set(KELVO_SANITIZER_FLAGS
    -fsanitize=address,undefined,float-cast-overflow
    -fno-sanitize-recover=undefined,float-cast-overflow
    -fno-omit-frame-pointer)

if(KELVO_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "KELVO_FUZZ needs clang (configure with CC=clang CXX=clang++)")
    endif()
    # Every object is instrumented for coverage; only the fuzz targets link
    # libFuzzer's main (-fsanitize=fuzzer, see fuzz/CMakeLists.txt).
    add_compile_options(${KELVO_SANITIZER_FLAGS} -fsanitize=fuzzer-no-link)
    add_link_options(${KELVO_SANITIZER_FLAGS})
elseif(KELVO_SANITIZE)
    if(MSVC)
        message(FATAL_ERROR "KELVO_SANITIZE is for gcc and clang")
    endif()
    # -O1 and line tables only (-g1), after the build type's own level:
    # the sanitizers check as much as at -O2 (their documentation suggests
    # -O1), their reports still name function, file and line, and the build
    # takes far less time than -O2 -g (the CI builds it cold).
    add_compile_options(${KELVO_SANITIZER_FLAGS} -O1 -g1)
    add_link_options(${KELVO_SANITIZER_FLAGS})
endif()

# Every finding ends the program with an error, so a test that triggers one
# fails. Leaks in our own code count; the suppressions file names only leaks
# that belong to the system libraries Qt loads.
set(KELVO_SANITIZER_ENVIRONMENT
    "ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
    "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1"
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan-suppressions.txt:print_suppressions=0")
