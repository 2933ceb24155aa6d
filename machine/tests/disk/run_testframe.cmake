# cmake -DTARN=<exe> -DFELL=<exe> -DSCREE=<exe> -DSOURCE=<examples/testframe> -DWORK=<folder>
#       -P run_testframe.cmake
# The example test suite as a project runs its own: tarn and fell build it
# with the test frame, scree runs it with DSK1 on a folder, and the test
# fails when the log has a FAIL line or no summary.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/disk)
file(COPY ${SOURCE}/ DESTINATION ${WORK})

function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "${ARGN}: exit code ${code}\n${out}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

run(${TARN} -Itestframe.a99 -R)
run(${TARN} -Imathtests.a99 -R)
run(${FELL} -Lmathtests.lnk)
run(${SCREE} --disk 1=disk --until-idle MATHTESTS)
message("${output}")
file(READ ${WORK}/disk/TESTLOG.TXT log)
if("\n${log}" MATCHES "\nFAIL" OR NOT log MATCHES "\nDONE: [0-9]+ PASSED, 0 FAILED\r?\n$")
  message(FATAL_ERROR "the tests failed:\n${log}")
endif()
