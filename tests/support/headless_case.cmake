# cmake -DGAME=alembria -DGAME_DIR=folder -DDATA_HOME=folder -DARGS=a|b -DCODE=n [-DOUT=regex]
#       [-DNOT_OUT=regex] [-DERR=regex] [-DNOT_ERR=regex] [-DFILE=path] [-DSAME_TWICE=ON] -P headless_case.cmake
# One headless game run (see headless_game.cmake).
include(${CMAKE_CURRENT_LIST_DIR}/output_checks.cmake)
string(REPLACE "|" ";" args "${ARGS}")
if(DEFINED FILE)
  file(REMOVE ${FILE})
endif()

function(run_game out_var err_var code_var)
  file(REMOVE_RECURSE ${DATA_HOME})
  file(MAKE_DIRECTORY ${DATA_HOME})
  execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${DATA_HOME} ${GAME} --headless --assets ${GAME_DIR} ${args}
    WORKING_DIRECTORY ${GAME_DIR} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${out_var} "${out}" PARENT_SCOPE)
  set(${err_var} "${err}" PARENT_SCOPE)
  set(${code_var} "${code}" PARENT_SCOPE)
endfunction()

run_game(out err code)
check_run("${code}" "${out}" "${err}")
if(DEFINED FILE AND NOT EXISTS ${FILE})
  message(FATAL_ERROR "${FILE} was not written")
endif()
if(SAME_TWICE)
  run_game(again again_err again_code)
  if(NOT again STREQUAL out)
    message(FATAL_ERROR "a second run printed otherwise:\n${out}\n---\n${again}")
  endif()
endif()
file(REMOVE_RECURSE ${DATA_HOME})
