# Runs one script with script_run and with lua5.1 and compares their standard output and exit status byte
# for byte, after turning this engine's opening backquotes into apostrophes (its only quoting difference).
#   MODE source   - run NAME.lua
#   MODE dump     - compile NAME.lua with --dump, then run the precompiled chunk
#   MODE gcstress - run NAME.lua collecting at every check
# Without lua5.1 it says so and the test counts as skipped.
# Arguments: RUNNER, REFERENCE (path of lua5.1, may be empty), NAME, MODE, SOURCE_DIR, WORK_DIR.

if(NOT REFERENCE OR NOT EXISTS "${REFERENCE}")
  message("lua5.1 not found: comparison of ${NAME} skipped")
  return()
endif()

set(script ${NAME}.lua)
set(options "")
if(MODE STREQUAL "gcstress")
  set(options --gc-stress)
elseif(MODE STREQUAL "dump")
  set(script ${WORK_DIR}/${NAME}.luac)
  file(REMOVE ${script})
  execute_process(COMMAND ${RUNNER} --dump ${script} ${NAME}.lua WORKING_DIRECTORY ${SOURCE_DIR}
    ERROR_VARIABLE dump_err RESULT_VARIABLE dump_code)
  if(NOT dump_code EQUAL 0)
    message(FATAL_ERROR "${NAME}: --dump failed with status ${dump_code}: ${dump_err}")
  endif()
endif()

execute_process(COMMAND ${RUNNER} ${options} ${script} WORKING_DIRECTORY ${SOURCE_DIR}
  OUTPUT_VARIABLE engine_out ERROR_VARIABLE engine_err RESULT_VARIABLE engine_code)
execute_process(COMMAND ${REFERENCE} ${NAME}.lua WORKING_DIRECTORY ${SOURCE_DIR}
  OUTPUT_VARIABLE reference_out ERROR_VARIABLE reference_err RESULT_VARIABLE reference_code)
string(REPLACE "`" "'" engine_out "${engine_out}")

if(NOT engine_code EQUAL reference_code)
  message(FATAL_ERROR "${NAME}: exit status ${engine_code} (${engine_err}), lua5.1 gives ${reference_code} "
                      "(${reference_err})")
endif()
if(NOT engine_out STREQUAL reference_out)
  message(FATAL_ERROR "${NAME}: output differs from lua5.1\n--- engine\n${engine_out}\n--- lua5.1\n${reference_out}")
endif()
