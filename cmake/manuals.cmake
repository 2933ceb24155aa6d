# Manual pages and bash completions. Every program of TMS_MANUALS has its page
# in docs/man/<program>.1.scd (scdoc), which the build turns into roff in
# man/<program>.1; a bash completion for its options is made from the page's
# OPTIONS section (cmake/doc-step.cmake). Linux installs the pages gzipped
# into share/man/man1 and the completions into share/bash-completion/completions;
# the Windows build installs each page as text (<program>.txt) beside the README.
set(TMS_MANUALS tarn fell scree dok morfex pinmaker)

find_program(SCDOC scdoc REQUIRED)
find_program(GROFF groff REQUIRED)

# The pages carry the date of the latest release (packaging/changelog).
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/changelog trailer REGEX "^ -- " LIMIT_COUNT 1)
if(NOT trailer MATCHES ", ([0-9][0-9]) (...) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "packaging/changelog: no date in '${trailer}'")
endif()
set(month_names Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND month_names ${CMAKE_MATCH_2} month)
math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
if(month LESS 10)
  set(month 0${month})
endif()
set(TMS_MANUAL_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})

set(TMS_MANUAL_DIR ${CMAKE_BINARY_DIR}/man)
set(manual_files "")

# doc_step(<step> <in> <out> [-D<more definitions>...]): makes out from in with
# that step of cmake/doc-step.cmake.
function(doc_step name in out)
  set(script ${CMAKE_SOURCE_DIR}/cmake/doc-step.cmake)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DSTEP=${name} -DIN=${in} -DOUT=${out} ${ARGN} -P ${script}
    DEPENDS ${in} ${script} ${CMAKE_SOURCE_DIR}/cmake/completion.bash.in
    VERBATIM)
endfunction()

foreach(program ${TMS_MANUALS})
  set(source ${CMAKE_SOURCE_DIR}/docs/man/${program}.1.scd)
  set(page ${TMS_MANUAL_DIR}/${program}.1)
  set(completion ${TMS_MANUAL_DIR}/completions/${program})
  doc_step(roff ${source} ${page} -DSCDOC=${SCDOC} -DDATE=${TMS_MANUAL_DATE})
  if(WIN32)
    doc_step(text ${page} ${TMS_MANUAL_DIR}/${program}.txt -DGROFF=${GROFF})
    list(APPEND manual_files ${TMS_MANUAL_DIR}/${program}.txt)
    install(FILES ${TMS_MANUAL_DIR}/${program}.txt DESTINATION ${TMS_DOC_DIR})
  else()
    doc_step(gzip ${page} ${page}.gz)
    doc_step(completion ${source} ${completion} -DPROGRAM=${program})
    list(APPEND manual_files ${page}.gz ${completion})
    install(FILES ${page}.gz DESTINATION share/man/man1)
    install(FILES ${completion} DESTINATION share/bash-completion/completions)
  endif()
endforeach()
add_custom_target(manuals ALL DEPENDS ${manual_files})

if(TMS_TESTS AND NOT WIN32)
  add_test(NAME manuals.Render
    COMMAND bash ${CMAKE_SOURCE_DIR}/docs/man/tests/render_test.sh ${TMS_MANUAL_DIR} ${TMS_MANUALS})
  add_test(NAME manuals.Completion
    COMMAND bash ${CMAKE_SOURCE_DIR}/docs/man/tests/completion_test.sh ${TMS_MANUAL_DIR}/completions)
endif()
