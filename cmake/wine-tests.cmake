# Windows build: the golden cases of the programs run against the
# executables under Wine, from the Linux side (dok headless).
foreach(program tarn fell morfex dok scree)
  if(TARGET ${program})
    add_test(NAME wine_golden_${program}
             COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/wine-golden.sh ${program} $<TARGET_FILE:${program}>)
  endif()
endforeach()

# The shortcuts of the shell's link object and of our own writer, read back
# with lnkinfo, must say the same.
if(TARGET write_both_links)
  add_test(NAME wine_shell_link_compare
           COMMAND bash ${CMAKE_SOURCE_DIR}/shortcut/tests/compare_links.sh $<TARGET_FILE:write_both_links>)
endif()

# tarn, fell and morfex on bad names and files (devices, drive letters, UNC
# names, read-only files, files that another program holds), in-process.
if(TARGET tarn_core AND TARGET fell_core AND TARGET morfex_core)
  add_executable(bad_input_tests ${CMAKE_SOURCE_DIR}/platform/tests/programs/bad_input_win32_test.cpp)
  set_target_properties(bad_input_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(bad_input_tests PRIVATE tarn_core fell_core morfex_core testkit GTest::gtest GTest::gtest_main)
  add_test(NAME bad_input_tests COMMAND bad_input_tests WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  set_tests_properties(bad_input_tests PROPERTIES TIMEOUT 120)  # a device read would wait for ever
endif()
