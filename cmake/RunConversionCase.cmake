# cmake -DCOMMAND=program|arg|... -DCASE=folder -DWORK=folder -P RunConversionCase.cmake
#
# Runs one conversion case. CASE holds:
#   input/       copied whole into WORK, where COMMAND then runs
#   status       the expected exit status (a number)
#   stdout       the expected standard output
#   stderr       the expected standard error (optional: none means empty)
#   expected/    every file the run creates or changes in WORK, byte for byte
# Afterwards every file of WORK must be in expected/ with the same bytes, or
# be an input file left exactly as it was. Line ends are compared as they
# are, except in stdout, stderr and *.ini files (a Windows console writes
# CR LF; the settings store writes its platform's line ends), where CR LF
# counts as LF; *.ini files also ignore blank lines, and in stderr and *.ini
# files "\" reads as "/" (paths print with the platform's separator).
cmake_policy(VERSION 3.25)
string(REPLACE "|" ";" COMMAND "${COMMAND}")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
if(EXISTS "${CASE}/input")
  file(COPY "${CASE}/input/" DESTINATION "${WORK}")
endif()

execute_process(COMMAND ${COMMAND} WORKING_DIRECTORY "${WORK}"
                OUTPUT_VARIABLE actual_stdout ERROR_VARIABLE actual_stderr
                RESULT_VARIABLE status)

set(failures "")
function(fail text)
  set(failures "${failures}\n  ${text}" PARENT_SCOPE)
endfunction()

function(read_normalized path kind out)
  file(READ "${path}" text)
  string(REPLACE "\r\n" "\n" text "${text}")
  if(kind STREQUAL "ini")
    string(REPLACE "\\" "/" text "${text}")
    string(REGEX REPLACE "\n\n+" "\n" text "${text}")
    string(REGEX REPLACE "^\n" "" text "${text}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Sets `out` to true when the two files differ in any byte.
function(files_differ a b out)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${a}" "${b}"
                  RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
  if(result EQUAL 0)
    set(${out} FALSE PARENT_SCOPE)
  else()
    set(${out} TRUE PARENT_SCOPE)
  endif()
endfunction()

file(READ "${CASE}/status" expected_status)
string(STRIP "${expected_status}" expected_status)
if(NOT status STREQUAL expected_status)
  fail("exit status ${status}, expected ${expected_status}")
endif()

string(REPLACE "\r\n" "\n" actual_stdout "${actual_stdout}")
string(REPLACE "\r\n" "\n" actual_stderr "${actual_stderr}")
string(REPLACE "\\" "/" actual_stderr "${actual_stderr}")
file(WRITE "${WORK}.stdout" "${actual_stdout}")
file(WRITE "${WORK}.stderr" "${actual_stderr}")
read_normalized("${CASE}/stdout" text expected_stdout)
if(NOT actual_stdout STREQUAL expected_stdout)
  fail("standard output differs: diff ${CASE}/stdout ${WORK}.stdout")
endif()
set(expected_stderr "")
if(EXISTS "${CASE}/stderr")
  read_normalized("${CASE}/stderr" text expected_stderr)
endif()
if(NOT actual_stderr STREQUAL expected_stderr)
  fail("standard error differs: diff ${CASE}/stderr ${WORK}.stderr")
endif()

file(GLOB_RECURSE expected_files RELATIVE "${CASE}/expected" "${CASE}/expected/*")
file(GLOB_RECURSE work_files RELATIVE "${WORK}" "${WORK}/*")
foreach(name IN LISTS expected_files)
  if(NOT EXISTS "${WORK}/${name}")
    fail("missing: ${name}")
  elseif(name MATCHES "\\.ini$")
    read_normalized("${CASE}/expected/${name}" ini expected_text)
    read_normalized("${WORK}/${name}" ini actual_text)
    if(NOT actual_text STREQUAL expected_text)
      fail("differs: diff ${CASE}/expected/${name} ${WORK}/${name}")
    endif()
  else()
    files_differ("${CASE}/expected/${name}" "${WORK}/${name}" differs)
    if(differs)
      fail("differs: cmp ${CASE}/expected/${name} ${WORK}/${name}")
    endif()
  endif()
endforeach()
foreach(name IN LISTS work_files)
  if(name IN_LIST expected_files)
    continue()
  endif()
  if(NOT EXISTS "${CASE}/input/${name}")
    fail("unexpected file: ${name}")
    continue()
  endif()
  files_differ("${CASE}/input/${name}" "${WORK}/${name}" differs)
  if(differs)
    fail("input file changed: ${name}")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "Case ${CASE}:${failures}")
endif()
message(STATUS "Case ${CASE} matches")
