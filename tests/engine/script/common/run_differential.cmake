# Runs one common-subset script with script_run and with lua5.1 and compares their stdout byte for byte,
# after turning this engine's opening backquotes into apostrophes (the only quoting difference).
# Without lua5.1 it only reports that (the test is then marked skipped).
# Arguments: RUNNER, REFERENCE (path of lua5.1 or empty), NAME, SOURCE_DIR.

if(NOT REFERENCE OR NOT EXISTS "${REFERENCE}")
  message("lua5.1 not found: differential comparison of ${NAME} skipped")
  return()
endif()

execute_process(COMMAND ${RUNNER} ${NAME}.lua WORKING_DIRECTORY ${SOURCE_DIR}
  OUTPUT_VARIABLE engine_out RESULT_VARIABLE engine_code)
execute_process(COMMAND ${REFERENCE} ${NAME}.lua WORKING_DIRECTORY ${SOURCE_DIR}
  OUTPUT_VARIABLE reference_out RESULT_VARIABLE reference_code)
string(REPLACE "`" "'" engine_out "${engine_out}")

if(NOT engine_code EQUAL reference_code)
  message(FATAL_ERROR "${NAME}: exit status ${engine_code}, lua5.1 gives ${reference_code}")
endif()
if(NOT engine_out STREQUAL reference_out)
  message(FATAL_ERROR "${NAME}: output differs from lua5.1\n--- engine\n${engine_out}\n--- lua5.1\n${reference_out}")
endif()
