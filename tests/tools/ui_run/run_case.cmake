# cmake -DRUNNER=ui_run -DARGS=a|b -DCODE=n [-DOUT=text] [-DERR=text] [-DFILE=path] -P run_case.cmake
# Runs ui_run in the fixture folder; checks the exit status, that stdout and stderr contain the given
# texts and that FILE was written.
include(${CMAKE_CURRENT_LIST_DIR}/../../support/output_checks.cmake)
string(REPLACE "|" ";" args "${ARGS}")
if(DEFINED FILE)
  file(REMOVE ${FILE})
endif()
execute_process(COMMAND ${RUNNER} ${args} WORKING_DIRECTORY ${WORK_DIR}
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
check_run("${code}" "${out}" "${err}")
if(DEFINED FILE AND NOT EXISTS ${FILE})
  message(FATAL_ERROR "${FILE} was not written")
endif()
