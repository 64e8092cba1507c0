# cmake -DRUNNER=ui_run -DARGS=a|b -DCODE=n [-DOUT=text] [-DERR=text] [-DFILE=path] -P run_case.cmake
# Runs ui_run in the fixture folder; checks the exit status, that stdout and stderr contain the given
# texts and that FILE was written.
string(REPLACE "|" ";" args "${ARGS}")
if(DEFINED FILE)
  file(REMOVE ${FILE})
endif()
execute_process(COMMAND ${RUNNER} ${args} WORKING_DIRECTORY ${WORK_DIR}
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code STREQUAL CODE)
  message(FATAL_ERROR "exit ${code}, expected ${CODE}\nstdout: ${out}\nstderr: ${err}")
endif()
if(DEFINED OUT AND NOT out MATCHES "${OUT}")
  message(FATAL_ERROR "stdout lacks '${OUT}':\n${out}")
endif()
if(DEFINED ERR AND NOT err MATCHES "${ERR}")
  message(FATAL_ERROR "stderr lacks '${ERR}':\n${err}")
endif()
if(DEFINED FILE AND NOT EXISTS ${FILE})
  message(FATAL_ERROR "${FILE} was not written")
endif()
