# cmake -DGAME=alembria -DGAME_DIR=folder -DDATA_HOME=folder -DARGS=a|b [-DRESTART_ARGS=a|b] [-DPREPARE=a|b] -DCODE=n
#       [-DOUT=regex] [-DNOT_OUT=regex] [-DERR=regex] [-DNOT_ERR=regex] [-DFILE=path] [-DSAME_TWICE=ON]
#       -P headless_case.cmake
# One headless game run (see headless_game.cmake).
include(${CMAKE_CURRENT_LIST_DIR}/output_checks.cmake)
string(REPLACE "|" ";" args "${ARGS}")
string(REPLACE "|" ";" restart_args "${RESTART_ARGS}")
string(REPLACE "|" ";" prepare "${PREPARE}")
if(DEFINED FILE)
  file(REMOVE ${FILE})
endif()

# The run's log without the wall-clock time stamps that start its entries.
function(read_log log_var)
  file(GLOB_RECURSE logs ${DATA_HOME}/logfile.txt)
  set(log "")
  if(logs)
    file(READ ${logs} log)
    # Time stamps go; where the log wrapped round it may have cut one short.
    string(REGEX REPLACE "(^|\n)[A-Z][a-z][a-z] [A-Z][a-z][a-z] [ 0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]( [0-9]*:? ?)?"
      "\\1" log "${log}")
  endif()
  set(${log_var} "${log}" PARENT_SCOPE)
endfunction()

# One start of the game with the arguments of the named list, over DATA_HOME as it is.
macro(start_game arg_list)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${DATA_HOME} ${GAME} --headless --assets ${GAME_DIR}
    ${${arg_list}} WORKING_DIRECTORY ${GAME_DIR} RESULT_VARIABLE code OUTPUT_VARIABLE run_out ERROR_VARIABLE run_err)
  string(APPEND out "${run_out}")
  string(APPEND err "${run_err}")
endmacro()

# The PREPARE command, in the game folder over DATA_HOME as the game would find it.
function(prepare_data)
  if(NOT prepare)
    return()
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${DATA_HOME} ${prepare} WORKING_DIRECTORY ${GAME_DIR}
    RESULT_VARIABLE code OUTPUT_VARIABLE prepare_out ERROR_VARIABLE prepare_err)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "PREPARE ended with ${code}:\n${prepare_out}${prepare_err}")
  endif()
endfunction()

# The run over a fresh DATA_HOME: PREPARE, the game, and with RESTART_ARGS each start there (each begun
# with the word RESTART) in turn, as long as the one before ended cleanly.
function(run_game out_var err_var code_var log_var)
  file(REMOVE_RECURSE ${DATA_HOME})
  file(MAKE_DIRECTORY ${DATA_HOME})
  prepare_data()
  set(out "")
  set(err "")
  start_game(args)
  set(next "")
  foreach(arg IN LISTS restart_args ITEMS RESTART)
    if(arg STREQUAL "RESTART")
      if(next AND code EQUAL 0)
        start_game(next)
      endif()
      set(next "")
    else()
      list(APPEND next "${arg}")
    endif()
  endforeach()
  read_log(log)
  set(${out_var} "${out}" PARENT_SCOPE)
  set(${err_var} "${err}" PARENT_SCOPE)
  set(${code_var} "${code}" PARENT_SCOPE)
  set(${log_var} "${log}" PARENT_SCOPE)
endfunction()

# Fails when the second run differs from the first in what; both texts are kept beside DATA_HOME.
function(check_same what first second)
  if(NOT first STREQUAL second)
    file(WRITE ${DATA_HOME}-first-${what}.txt "${first}")
    file(WRITE ${DATA_HOME}-second-${what}.txt "${second}")
    message(FATAL_ERROR "a second run's ${what} differs: diff ${DATA_HOME}-first-${what}.txt ${DATA_HOME}-second-${what}.txt")
  endif()
endfunction()

run_game(out err code log)
check_run("${code}" "${out}" "${err}")
if(DEFINED FILE AND NOT EXISTS ${FILE})
  message(FATAL_ERROR "${FILE} was not written")
endif()
if(SAME_TWICE)
  run_game(again again_err again_code again_log)
  check_same(status "${code}" "${again_code}")
  check_same(stdout "${out}" "${again}")
  check_same(log "${log}" "${again_log}")
endif()
file(REMOVE_RECURSE ${DATA_HOME})
