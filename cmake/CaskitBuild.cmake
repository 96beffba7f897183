# Compiler settings shared by every target, and the helpers that declare
# portable libraries (built twice on the host: plain for the shipped
# programs, sanitized for the unit tests).

set(CASKIT_WARNINGS -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Werror)
add_compile_options(${CASKIT_WARNINGS})

if(WIN32)
  # ANSI Win32 calls throughout; no MinGW DLLs beside the programs.
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  add_link_options(-static -static-libgcc -static-libstdc++)
  set(CASKIT_PLATFORM_DIR win32)
else()
  set(CASKIT_PLATFORM_DIR posix)
endif()

set(CASKIT_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
if(NOT WIN32 AND NOT CMAKE_CROSSCOMPILING)
  set(CASKIT_SANITIZED_VARIANTS ON)
else()
  set(CASKIT_SANITIZED_VARIANTS OFF)
endif()

# Code that goes into the launcher stubs carries no C++ runtime library:
# no exceptions, no RTTI, no guarded statics, no unwind tables. A stub is
# linked by the C compiler driver, so any use of the standard C++ library
# fails the link.
set(CASKIT_NO_RUNTIME_FLAGS -fno-exceptions -fno-rtti -fno-threadsafe-statics -fno-asynchronous-unwind-tables
    -fno-unwind-tables)

# The stubs' code, built and linked for the smallest size. On Windows the
# functions called once stay functions: inlined, they make the start
# functions' frames large enough that their code grows (by 1.7 KB on x86,
# 0.6 KB on x64); on Linux inlining them is smaller. Linux calls into the
# C library through the global offset table, which the loader fills at
# start-up and then write-protects (no lazy-binding stubs).
if(WIN32)
  set(CASKIT_STUB_SIZE_FLAGS -Oz -fno-inline-functions-called-once)
else()
  set(CASKIT_STUB_SIZE_FLAGS -Oz -fno-plt)
endif()

# caskit_portable_library(name SOURCES ... [DEPS ...] [WITHOUT_RUNTIME])
# Declares `name`, and on the host also `name_san` built with ASan/UBSan,
# whose dependencies are the `_san` variants of DEPS. WITHOUT_RUNTIME
# libraries are compiled with CASKIT_NO_RUNTIME_FLAGS.
function(caskit_portable_library name)
  cmake_parse_arguments(ARG "WITHOUT_RUNTIME" "" "SOURCES;DEPS;SYSTEM_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} ${ARG_SYSTEM_DEPS})
  if(ARG_WITHOUT_RUNTIME)
    target_compile_options(${name} PRIVATE ${CASKIT_NO_RUNTIME_FLAGS} -Os -ffunction-sections -fdata-sections)
    # The stubs link `name_stub`: the same code optimised across files at
    # link time (the other programs keep plain objects: MinGW's linker
    # cannot mix the two kinds).
    add_library(${name}_stub STATIC ${ARG_SOURCES})
    target_include_directories(${name}_stub PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(${name}_stub PRIVATE ${CASKIT_NO_RUNTIME_FLAGS} ${CASKIT_STUB_SIZE_FLAGS} -ffunction-sections
      -fdata-sections)
    set_property(TARGET ${name}_stub PROPERTY INTERPROCEDURAL_OPTIMIZATION TRUE)
    set(stub_deps)
    foreach(dep IN LISTS ARG_DEPS)
      if(TARGET ${dep}_stub)
        list(APPEND stub_deps ${dep}_stub)
      else()
        list(APPEND stub_deps ${dep})
      endif()
    endforeach()
    target_link_libraries(${name}_stub PUBLIC ${stub_deps} ${ARG_SYSTEM_DEPS})
  endif()
  if(CASKIT_SANITIZED_VARIANTS)
    add_library(${name}_san STATIC ${ARG_SOURCES})
    target_include_directories(${name}_san PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(${name}_san PUBLIC ${CASKIT_SANITIZER_FLAGS})
    if(ARG_WITHOUT_RUNTIME)
      target_compile_options(${name}_san PRIVATE ${CASKIT_NO_RUNTIME_FLAGS} -fno-sanitize=vptr)
    endif()
    target_link_options(${name}_san PUBLIC ${CASKIT_SANITIZER_FLAGS})
    list(TRANSFORM ARG_DEPS APPEND _san OUTPUT_VARIABLE san_deps)
    target_link_libraries(${name}_san PUBLIC ${san_deps} ${ARG_SYSTEM_DEPS})
  endif()
endfunction()

# caskit_unit_test(name SOURCES ... DEPS ...): a GoogleTest program on the
# host, linked against the sanitized libraries, labelled `unit`.
function(caskit_unit_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT CASKIT_SANITIZED_VARIANTS)
    return()
  endif()
  find_package(GTest REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  list(TRANSFORM ARG_DEPS APPEND _san OUTPUT_VARIABLE san_deps)
  target_link_libraries(${name} PRIVATE ${san_deps} GTest::gtest GTest::gtest_main)
  target_compile_options(${name} PRIVATE ${CASKIT_SANITIZER_FLAGS})
  target_link_options(${name} PRIVATE ${CASKIT_SANITIZER_FLAGS})
  target_compile_definitions(${name} PRIVATE CASKIT_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS unit
    ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;UBSAN_OPTIONS=print_stacktrace=1")
endfunction()

# caskit_fuzzer(name SOURCES ... CORPUS dir [RUNS n] [MAX_LEN bytes]
# [LIBS -lx ...]): a libFuzzer target compiled with clang (the host build
# itself uses g++) and ASan/UBSan from SOURCES plus the platform seam's
# sources, linked with LIBS. Its test (label `fuzz`) runs a bounded number
# of executions with a fixed seed from CORPUS, the target's committed
# corpus, which it only reads. Inputs are at most MAX_LEN bytes (default
# 4096), in the test and in campaigns. Every target is listed in
# fuzz-targets.txt of the build tree for scripts/fuzz.sh (see
# tests/CMakeLists.txt).
function(caskit_fuzzer name)
  cmake_parse_arguments(ARG "" "RUNS;CORPUS;MAX_LEN" "SOURCES;LIBS" ${ARGN})
  if(NOT CASKIT_SANITIZED_VARIANTS)
    return()
  endif()
  if(NOT ARG_CORPUS)
    message(FATAL_ERROR "caskit_fuzzer(${name}): a CORPUS folder is required")
  endif()
  find_program(CASKIT_CLANGXX NAMES clang++ clang++-14 REQUIRED)
  if(NOT ARG_RUNS)
    set(ARG_RUNS 20000)
  endif()
  if(NOT ARG_MAX_LEN)
    set(ARG_MAX_LEN 4096)
  endif()
  get_property(platform_sources GLOBAL PROPERTY CASKIT_PLATFORM_SOURCES)
  list(APPEND ARG_SOURCES ${platform_sources})
  list(REMOVE_DUPLICATES ARG_SOURCES)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${name})
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/platform/*.h ${PROJECT_SOURCE_DIR}/launcher/*.h
    ${PROJECT_SOURCE_DIR}/builder/engine/*.h ${PROJECT_SOURCE_DIR}/tests/fuzz/*.h ${PROJECT_SOURCE_DIR}/tests/support/*.h)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CASKIT_CLANGXX} -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined
            -fno-sanitize-recover=undefined -I${PROJECT_SOURCE_DIR} ${ARG_SOURCES} ${ARG_LIBS} -o ${out}
    DEPENDS ${ARG_SOURCES} ${headers}
    COMMENT "Building fuzzer ${name}" VERBATIM)
  add_custom_target(${name}_build ALL DEPENDS ${out})
  add_test(NAME ${name}
    COMMAND ${PROJECT_SOURCE_DIR}/tests/fuzz/run-fuzzer.sh ${out} ${ARG_RUNS} ${ARG_CORPUS}
            ${CMAKE_CURRENT_BINARY_DIR}/${name}-findings ${ARG_MAX_LEN})
  set_tests_properties(${name} PROPERTIES LABELS fuzz ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1")
  set_property(GLOBAL APPEND PROPERTY CASKIT_FUZZERS "${name}\t${out}\t${ARG_CORPUS}\t${ARG_MAX_LEN}")
  set_property(GLOBAL APPEND PROPERTY CASKIT_FUZZER_TARGETS ${name}_build)
endfunction()

# caskit_windows_program(target): static, size-optimised settings for a
# shipped Windows program.
function(caskit_small_windows_program target)
  target_compile_options(${target} PRIVATE -Os -ffunction-sections -fdata-sections)
  target_link_options(${target} PRIVATE -s -Wl,--gc-sections)
endfunction()

# Wine: every Windows test runs through cmake/wine-run.sh with a prefix
# that lives inside this build tree (made once by the wine.prefix fixture).
if(WIN32 AND CMAKE_CROSSCOMPILING)
  set(CASKIT_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh)
endif()
