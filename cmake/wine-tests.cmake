# Windows build: the golden cases of the console programs run against the
# executables under Wine, from the Linux side.
foreach(program tarn fell morfex)
  if(TARGET ${program})
    add_test(NAME wine_golden_${program}
             COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/wine-golden.sh ${program} $<TARGET_FILE:${program}>)
  endif()
endforeach()
