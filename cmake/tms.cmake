# Helpers shared by the program folders.

# Where data files install; the programs look for them there, relative to
# their own folder (platform/data_paths.hpp).
set(TMS_DATA_DIR share/tms9900-toolchain)

# The source tree as the tests see it: under Wine the Linux root is drive Z:.
if(CMAKE_CROSSCOMPILING AND WIN32)
  set(TMS_TEST_SOURCE_DIR "Z:${CMAKE_SOURCE_DIR}")
else()
  set(TMS_TEST_SOURCE_DIR "${CMAKE_SOURCE_DIR}")
endif()

# Test executables that a Windows build makes; the programs' golden cases
# run there against the executables instead (cmake/wine-tests.cmake).
# scree's tests build their programs with tarn and fell in-process, so they
# run under Wine as they are, besides its golden cases against scree.exe.
set(TMS_WINDOWS_TESTS platform_tests pinmaker_tests scree_cpu_tests scree_ti99_tests scree_rom_tests
    scree_files_tests scree_run_tests scree_picture_tests scree_sound_tests scree_disk_tests)

# tms_add_tests(<name> SOURCES <files...> LIBS <libs...>)
# One GoogleTest executable, registered with CTest.
function(tms_add_tests name)
  if(NOT TMS_TESTS OR (WIN32 AND NOT name IN_LIST TMS_WINDOWS_TESTS))
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${T_LIBS} testkit GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE TMS_SOURCE_DIR="${TMS_TEST_SOURCE_DIR}")
  if(CMAKE_CROSSCOMPILING)
    # One test per binary: every start under the emulator costs time.
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  else()
    gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# tms_add_fuzzer(fuzz_<program>_<what> [SOURCES <more files...>] LIBS <libs...>)
# A libFuzzer target, built only with -DTMS_FUZZ=ON (clang), from
# tests/fuzz/fuzz_<program>_<what>.cpp of the calling program's folder; its
# seeds lie in tests/fuzz_corpus/fuzz_<program>_<what>/ and its dictionary,
# if any, in tests/fuzz/fuzz_<program>_<what>.dict. scripts/fuzz.sh builds the
# target "fuzzers" and runs every one.
function(tms_add_fuzzer name)
  if(NOT name MATCHES "^fuzz_[a-z]+_[a-z_]+$")
    message(FATAL_ERROR "Fuzz target ${name}: the name must read fuzz_<program>_<what>")
  endif()
  if(NOT TMS_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} tests/fuzz/${name}.cpp ${F_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  if(NOT TARGET fuzzers)
    add_custom_target(fuzzers)
  endif()
  add_dependencies(fuzzers ${name})
endfunction()
