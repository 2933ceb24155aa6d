# Windows build: the golden cases of the programs run against the
# executables under Wine, from the Linux side (dok headless).
foreach(program tarn fell morfex dok)
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
