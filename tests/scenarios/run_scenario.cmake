# Runs one scenario and compares its output with the expected text.
execute_process(COMMAND ${DRIVER} ${SCRIPT} OUTPUT_VARIABLE actual RESULT_VARIABLE status)
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "scenario output differs from ${EXPECTED}\n--- actual ---\n${actual}--- expected ---\n${expected}")
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "scenario driver exited with ${status}")
endif()
