# cmake -DCOMMAND=program|arg|... -DEXPECTED=file -DOUTPUT=file [-DEXPECTED_STATUS=n]
#       -P CompareOutput.cmake
# Runs COMMAND (its words joined with "|"), saves its standard output to OUTPUT and fails
# unless it exits with EXPECTED_STATUS (default 0) and its output equals EXPECTED once CR LF
# line ends are read as LF.
string(REPLACE "|" ";" COMMAND "${COMMAND}")
execute_process(COMMAND ${COMMAND} OUTPUT_VARIABLE actual RESULT_VARIABLE status)
file(WRITE "${OUTPUT}" "${actual}")
string(REPLACE "\r\n" "\n" actual "${actual}")
file(READ "${EXPECTED}" expected)
if(NOT DEFINED EXPECTED_STATUS)
  set(EXPECTED_STATUS 0)
endif()
if(NOT status STREQUAL EXPECTED_STATUS)
  message(FATAL_ERROR "Exit status ${status}, expected ${EXPECTED_STATUS}")
endif()
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "Output differs from ${EXPECTED} (exit status ${status}); "
                      "see ${OUTPUT}, or run: diff ${EXPECTED} ${OUTPUT}")
endif()
message(STATUS "Output matches ${EXPECTED}")
