# Tests that run the whole game headless (alembria --headless, see game/shop/entry/headless_run.h).
#
#   alembria_headless_case(NAME name GAME folder [ARGS args...] CODE status
#                          [OUT regex] [NOT_OUT regex] [ERR regex] [NOT_ERR regex] [FILE path] [SAME_TWICE])
#
# runs the game in GAME, a test game folder whose "assets" folder holds "scripts/mainloop.lua" and the
# rest of the game's files (--assets GAME), with a fresh XDG_DATA_HOME of its own. The relative paths
# in ARGS are relative to GAME. It checks the exit status, that stdout matches OUT and not NOT_OUT,
# that stderr matches ERR and not NOT_ERR (with --log, stderr holds the log), that FILE was written,
# and with SAME_TWICE that a second run ends the same, prints the same to stdout and writes the same
# log (the entries' time stamps aside).
#
#   alembria_scenario_case(NAME name GAME folder SCENARIO file [SEED n] [CODE status] [ARGS args...]
#                          [OUT regex] ...)
#
# plays the scenario file (game/shop/entry/scenario.h; relative to GAME) with --seed SEED (default 1),
# twice, and checks as above with SAME_TWICE; CODE defaults to 0, the scenario played to its end.
set(ALEMBRIA_HEADLESS_CASE ${CMAKE_CURRENT_LIST_DIR}/headless_case.cmake)

function(alembria_headless_case)
  cmake_parse_arguments(C "SAME_TWICE" "NAME;GAME;CODE;OUT;NOT_OUT;ERR;NOT_ERR;FILE" "ARGS" ${ARGN})
  set(defs -DGAME=$<TARGET_FILE:alembria> -DGAME_DIR=${C_GAME} -DCODE=${C_CODE}
    -DDATA_HOME=${CMAKE_CURRENT_BINARY_DIR}/data-${C_NAME} -DSAME_TWICE=${C_SAME_TWICE})
  foreach(key OUT NOT_OUT ERR NOT_ERR FILE)
    if(DEFINED C_${key})
      list(APPEND defs "-D${key}=${C_${key}}")
    endif()
  endforeach()
  string(REPLACE ";" "|" args "${C_ARGS}")
  add_test(NAME headless.${C_NAME}
    COMMAND ${CMAKE_COMMAND} ${defs} "-DARGS=${args}" -P ${ALEMBRIA_HEADLESS_CASE})
endfunction()

function(alembria_scenario_case)
  cmake_parse_arguments(S "" "SCENARIO;SEED;CODE" "ARGS" ${ARGN})
  if(NOT DEFINED S_SEED)
    set(S_SEED 1)
  endif()
  if(NOT DEFINED S_CODE)
    set(S_CODE 0)
  endif()
  alembria_headless_case(${S_UNPARSED_ARGUMENTS} CODE ${S_CODE} SAME_TWICE
    ARGS --seed ${S_SEED} --scenario ${S_SCENARIO} ${S_ARGS})
endfunction()
