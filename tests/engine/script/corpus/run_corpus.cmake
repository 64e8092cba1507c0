# Runs one corpus script through script_run and compares its stdout, stderr and exit status with the
# expected files: NAME.out (stdout), NAME.err (stderr, optional: empty when absent), NAME.code (exit
# status, optional: 0 when absent).
#   MODE source   - run NAME.lua
#   MODE dump     - compile NAME.lua with --dump, then run the precompiled chunk
#   MODE gcstress - run NAME.lua collecting at every check
# Arguments: RUNNER, NAME, MODE, SOURCE_DIR, WORK_DIR.

set(expected_out "")
set(expected_err "")
set(expected_code 0)
if(EXISTS ${SOURCE_DIR}/${NAME}.out)
  file(READ ${SOURCE_DIR}/${NAME}.out expected_out)
endif()
if(EXISTS ${SOURCE_DIR}/${NAME}.err)
  file(READ ${SOURCE_DIR}/${NAME}.err expected_err)
endif()
if(EXISTS ${SOURCE_DIR}/${NAME}.code)
  file(READ ${SOURCE_DIR}/${NAME}.code expected_code)
  string(STRIP "${expected_code}" expected_code)
endif()

set(script ${NAME}.lua)
set(options "")
if(MODE STREQUAL "gcstress")
  set(options --gc-stress)
elseif(MODE STREQUAL "dump")
  set(chunk ${WORK_DIR}/${NAME}.luac)
  file(REMOVE ${chunk})
  execute_process(COMMAND ${RUNNER} --dump ${chunk} ${script}
    WORKING_DIRECTORY ${SOURCE_DIR}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
  if(NOT code EQUAL 0)
    # A script that does not compile fails the same way in both modes.
    set(script "")
  else()
    set(script ${chunk})
  endif()
endif()

if(NOT script STREQUAL "")
  execute_process(COMMAND ${RUNNER} ${options} ${script}
    WORKING_DIRECTORY ${SOURCE_DIR}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
endif()

set(failed FALSE)
if(NOT out STREQUAL expected_out)
  message(SEND_ERROR "stdout differs.\n--- expected ---\n${expected_out}--- actual ---\n${out}")
  set(failed TRUE)
endif()
if(NOT err STREQUAL expected_err)
  message(SEND_ERROR "stderr differs.\n--- expected ---\n${expected_err}--- actual ---\n${err}")
  set(failed TRUE)
endif()
if(NOT code STREQUAL expected_code)
  message(SEND_ERROR "exit status ${code}, expected ${expected_code}")
  set(failed TRUE)
endif()
