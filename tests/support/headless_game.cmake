# Tests that run the whole game headless (alembria --headless, see game/shop/entry/headless_run.h).
#
#   alembria_headless_case(NAME name GAME folder [ARGS args...] [RESTART_ARGS args...] [PREPARE command...]
#                          CODE status [OUT regex] [NOT_OUT regex] [ERR regex] [NOT_ERR regex] [FILE path]
#                          [SAME_TWICE])
#
# runs the game in GAME, a test game folder whose "assets" folder holds "scripts/mainloop.lua" and the
# rest of the game's files (--assets GAME), with a fresh XDG_DATA_HOME of its own. The relative paths
# in ARGS are relative to GAME. With PREPARE the command runs first, in GAME over that XDG_DATA_HOME
# (alembria_saved_levels NAME COUNT adds a player with saved levels); the case fails when it fails.
# With RESTART_ARGS the game is started again after a run that ended with 0, over the same
# XDG_DATA_HOME (a player coming back); stdout and stderr are then those of both runs one after the
# other, the status and the log the last's. RESTART_ARGS may hold several starts, each begun with the
# word RESTART; the next is made only after one that ended with 0. It checks the exit status, that
# stdout matches OUT and not NOT_OUT, that stderr matches ERR and not NOT_ERR (with --log, stderr holds
# the log), that FILE was written, and with SAME_TWICE that a second run (PREPARE and all) ends the
# same, prints the same to stdout and writes the same log (the entries' time stamps aside).
#
#   alembria_scenario_case(NAME name GAME folder SCENARIO file [RESTART files...] [SEED n] [CODE status]
#                          [ARGS args...] [PREPARE command...] [OUT regex] ...)
#
# plays the scenario file (game/shop/entry/scenario.h; relative to GAME) with --seed SEED (default 1),
# and with RESTART each further file in the game started again over the same profiles, one after the
# other; all of it twice, and checks as above with SAME_TWICE; CODE defaults to 0, the scenario played
# to its end.
set(ALEMBRIA_HEADLESS_CASE ${CMAKE_CURRENT_LIST_DIR}/headless_case.cmake)

function(alembria_headless_case)
  cmake_parse_arguments(C "SAME_TWICE" "NAME;GAME;CODE;OUT;NOT_OUT;ERR;NOT_ERR;FILE" "ARGS;RESTART_ARGS;PREPARE" ${ARGN})
  set(defs -DGAME=$<TARGET_FILE:alembria> -DGAME_DIR=${C_GAME} -DCODE=${C_CODE}
    -DDATA_HOME=${CMAKE_CURRENT_BINARY_DIR}/data-${C_NAME} -DSAME_TWICE=${C_SAME_TWICE})
  foreach(key OUT NOT_OUT ERR NOT_ERR FILE)
    if(DEFINED C_${key})
      list(APPEND defs "-D${key}=${C_${key}}")
    endif()
  endforeach()
  string(REPLACE ";" "|" args "${C_ARGS}")
  if(DEFINED C_PREPARE)
    string(REPLACE ";" "|" prepare "${C_PREPARE}")
    list(APPEND defs "-DPREPARE=${prepare}")
  endif()
  if(DEFINED C_RESTART_ARGS)
    if(NOT C_RESTART_ARGS MATCHES "^RESTART;")
      list(PREPEND C_RESTART_ARGS RESTART)
    endif()
    string(REPLACE ";" "|" restart_args "${C_RESTART_ARGS}")
    list(APPEND defs "-DRESTART_ARGS=${restart_args}")
  endif()
  add_test(NAME headless.${C_NAME}
    COMMAND ${CMAKE_COMMAND} ${defs} "-DARGS=${args}" -P ${ALEMBRIA_HEADLESS_CASE})
endfunction()

function(alembria_scenario_case)
  # The checks are named here too, so that ARGS, RESTART and PREPARE end where they begin.
  set(checks NAME GAME OUT NOT_OUT ERR NOT_ERR FILE)
  cmake_parse_arguments(S "" "SCENARIO;SEED;CODE;${checks}" "ARGS;RESTART;PREPARE" ${ARGN})
  if(NOT DEFINED S_SEED)
    set(S_SEED 1)
  endif()
  if(NOT DEFINED S_CODE)
    set(S_CODE 0)
  endif()
  set(check_args)
  foreach(key IN LISTS checks)
    if(DEFINED S_${key})
      list(APPEND check_args ${key} "${S_${key}}")
    endif()
  endforeach()
  set(restart)
  if(DEFINED S_RESTART)
    set(restart RESTART_ARGS)
    foreach(file IN LISTS S_RESTART)
      list(APPEND restart RESTART --seed ${S_SEED} --scenario ${file} ${S_ARGS})
    endforeach()
  endif()
  set(prepare)
  if(DEFINED S_PREPARE)
    set(prepare PREPARE ${S_PREPARE})
  endif()
  alembria_headless_case(${S_UNPARSED_ARGUMENTS} ${check_args} ${prepare} CODE ${S_CODE} SAME_TWICE
    ARGS --seed ${S_SEED} --scenario ${S_SCENARIO} ${S_ARGS} ${restart})
endfunction()
