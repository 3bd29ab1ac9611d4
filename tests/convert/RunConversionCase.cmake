# cmake -DCOMMAND=program|arg|... -DCASE=folder -DWORK=folder -P RunConversionCase.cmake
#
# Runs one conversion case. CASE holds:
#   input/       copied whole into WORK, where COMMAND then runs
#   generate     (optional) input files made at run time, too big to keep:
#                lines "FILE part NAME" append the case's file NAME byte for
#                byte, "FILE repeat COUNT HEX" the byte HEX (not 00) COUNT times
#   modes        (optional) lines "MODE PATH": chmod MODE on PATH in WORK
#                before the run (Linux); modes are restored afterwards
#   file-size-limit (optional, Linux) COMMAND may write files of at most
#                this many bytes: a write past it fails as on a full disk
#   run-as-nobody (optional, Linux) COMMAND runs as uid and gid 65534, with
#                WORK owned by that user; for a user other than root, which
#                cannot switch, the case is skipped
#   pipeline     (optional) a shell command line run instead of COMMAND,
#                which it names as "$CANOPEX_CONVERT" (for pipes,
#                redirections and named pipes); its exit status is the case's
#   json         (optional) "stdout" or "stderr": that stream's last line
#                must parse as JSON
#   status       the expected exit status (a number)
#   stdout       the expected standard output
#   stderr       the expected standard error (optional: none means empty;
#                @PROJECT_SOURCE_DIR@ stands for the project folder, as in args)
#   expected/    every file the run creates or changes in WORK, byte for byte
# Afterwards every file of WORK must be in expected/ with the same bytes, or
# be an input file left exactly as it was. Line ends are compared as they
# are, except in stdout, stderr and *.ini files (a Windows console writes
# CR LF; the settings store writes its platform's line ends), where CR LF
# counts as LF; *.ini files also ignore blank lines, and in stderr and *.ini
# files "\" reads as "/" (paths print with the platform's separator).
# A skipped case prints CANOPEX-CASE-SKIPPED (the test's skip expression).
cmake_policy(VERSION 3.25)
string(REPLACE "|" ";" COMMAND "${COMMAND}")

# Runs a step of the case's set-up; the case fails with `what` if it fails.
function(set_up what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Case ${CASE}: ${what} failed")
  endif()
endfunction()

# The inputs as they must stay: the case's input/ and the generated files.
set(inputs "${WORK}.input")
file(REMOVE_RECURSE "${WORK}" "${inputs}")
file(MAKE_DIRECTORY "${inputs}")
if(EXISTS "${CASE}/input")
  file(COPY "${CASE}/input/" DESTINATION "${inputs}")
endif()
if(EXISTS "${CASE}/generate")
  # Each file is the concatenation of its pieces, made by `cmake -E cat`:
  # file(READ) would drop CR bytes.
  file(STRINGS "${CASE}/generate" steps REGEX "^[^#]")
  set(targets "")
  set(piece_number 0)
  foreach(step IN LISTS steps)
    string(REGEX REPLACE " +" ";" step "${step}")
    list(GET step 0 target)
    list(GET step 1 kind)
    if(kind STREQUAL "part")
      list(GET step 2 part)
      set(piece "${CASE}/${part}")
      file(SIZE "${piece}" size)
    elseif(kind STREQUAL "repeat")
      list(GET step 2 size)
      list(GET step 3 hex)
      math(EXPR code "0x${hex}")
      string(ASCII ${code} byte)
      string(REPEAT "${byte}" ${size} bytes)
      math(EXPR piece_number "${piece_number} + 1")
      set(piece "${WORK}.piece${piece_number}")
      file(WRITE "${piece}" "${bytes}")
    else()
      message(FATAL_ERROR "Case ${CASE}: unknown generate step: ${step}")
    endif()
    string(MAKE_C_IDENTIFIER "${target}" id)
    if(NOT target IN_LIST targets)
      list(APPEND targets "${target}")
      set(pieces_${id} "")
      set(size_${id} 0)
    endif()
    list(APPEND pieces_${id} "${piece}")
    math(EXPR size_${id} "${size_${id}} + ${size}")
  endforeach()
  foreach(target IN LISTS targets)
    string(MAKE_C_IDENTIFIER "${target}" id)
    execute_process(COMMAND ${CMAKE_COMMAND} -E cat ${pieces_${id}}
                    OUTPUT_FILE "${inputs}/${target}" RESULT_VARIABLE result)
    file(SIZE "${inputs}/${target}" size)
    if(NOT result EQUAL 0 OR NOT size EQUAL size_${id})
      message(FATAL_ERROR "Case ${CASE}: ${target} has ${size} bytes, not ${size_${id}}")
    endif()
  endforeach()
  file(GLOB pieces "${WORK}.piece*")
  if(pieces)
    file(REMOVE ${pieces})
  endif()
endif()
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${inputs}/" DESTINATION "${WORK}")

# A run as nobody happens in a folder every user can reach, with a copy of
# the program, since the build folder may lie in root's home.
set(run_folder "${WORK}")
set(run_as "")
if(EXISTS "${CASE}/run-as-nobody")
  set(run_as setpriv --reuid=65534 --regid=65534 --clear-groups --)
  execute_process(COMMAND mktemp -d OUTPUT_VARIABLE stage OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Case ${CASE}: mktemp -d failed")
  endif()
  file(CHMOD "${stage}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
       GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  list(GET COMMAND 0 program)
  file(COPY "${program}" DESTINATION "${stage}/bin")
  get_filename_component(program_name "${program}" NAME)
  list(REMOVE_AT COMMAND 0)
  list(PREPEND COMMAND "${stage}/bin/${program_name}")
  execute_process(COMMAND ${run_as} test -x "${stage}/bin/${program_name}"
                  RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
  if(NOT result EQUAL 0)
    file(REMOVE_RECURSE "${stage}")
    message(STATUS "CANOPEX-CASE-SKIPPED: cannot run as uid 65534 (setpriv needs root)")
    return()
  endif()
  set(run_folder "${stage}/work")
  file(COPY "${inputs}/" DESTINATION "${run_folder}")
  set_up("chown of ${run_folder}" chown -R 65534:65534 "${run_folder}")
endif()

set(mode_lines "")
if(EXISTS "${CASE}/modes")
  file(STRINGS "${CASE}/modes" mode_lines REGEX "^[0-7]+ ")
endif()
foreach(line IN LISTS mode_lines)
  string(REGEX MATCH "^([0-7]+) (.+)$" ignored "${line}")
  set_up("chmod ${line}" chmod "${CMAKE_MATCH_1}" "${run_folder}/${CMAKE_MATCH_2}")
endforeach()

# Past the limit a write fails with EFBIG, once SIGXFSZ no longer ends the
# program (an ignored signal stays ignored across exec).
set(limit "")
if(EXISTS "${CASE}/file-size-limit")
  file(STRINGS "${CASE}/file-size-limit" bytes LIMIT_COUNT 1)
  set(limit sh -c "trap '' XFSZ && exec prlimit --fsize=${bytes} -- \"$@\"" sh)
endif()

if(EXISTS "${CASE}/pipeline")
  # "$CANOPEX_CONVERT" is a script that runs COMMAND (under Wine, too) with
  # the arguments it is given.
  set(wrapper "${run_folder}.canopex-convert")
  set(script "#!/bin/sh\nexec")
  foreach(word IN LISTS COMMAND)
    if(NOT word STREQUAL "")
      string(APPEND script " '${word}'")
    endif()
  endforeach()
  file(WRITE "${wrapper}" "${script} \"$@\"\n")
  file(CHMOD "${wrapper}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
       GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(COMMAND ${CMAKE_COMMAND} -E env "CANOPEX_CONVERT=${wrapper}" sh "${CASE}/pipeline")
endif()
execute_process(COMMAND ${run_as} ${limit} ${COMMAND} WORKING_DIRECTORY "${run_folder}"
                OUTPUT_VARIABLE actual_stdout ERROR_VARIABLE actual_stderr
                RESULT_VARIABLE status)
# Under Wine a fresh session's own helper processes, which share the
# program's standard error, now and then crash as it starts (seen in
# uxtheme.dll, which the converter never loads). Such a run is made once
# more, from fresh inputs; a crash of the converter itself comes back.
if("${COMMAND}" MATCHES "run-under-wine" AND actual_stderr MATCHES "^wine: Unhandled page fault"
   AND run_folder STREQUAL WORK AND NOT mode_lines)
  message(STATUS "Wine crashed as the run started; running the case once more")
  file(REMOVE_RECURSE "${WORK}")
  file(COPY "${inputs}/" DESTINATION "${WORK}")
  execute_process(COMMAND ${limit} ${COMMAND} WORKING_DIRECTORY "${WORK}"
                  OUTPUT_VARIABLE actual_stdout ERROR_VARIABLE actual_stderr
                  RESULT_VARIABLE status)
endif()

# Modes and owner back, so that the files can be read, compared and removed.
if(mode_lines)
  execute_process(COMMAND chmod -R u+rwX "${run_folder}")
endif()
if(NOT run_folder STREQUAL WORK)
  execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND id -g OUTPUT_VARIABLE gid OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND chown -R ${uid}:${gid} "${run_folder}")
  file(REMOVE_RECURSE "${WORK}")
  file(COPY "${run_folder}/" DESTINATION "${WORK}")
  file(REMOVE_RECURSE "${stage}")
endif()

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

# Fails the case with `text` when the two files differ in any byte (a macro,
# so that fail() adds to the caller's failures).
macro(fail_unless_same a b text)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${a}" "${b}"
                  RESULT_VARIABLE compared OUTPUT_QUIET ERROR_QUIET)
  if(NOT compared EQUAL 0)
    fail("${text}")
  endif()
endmacro()

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
  string(REPLACE "@PROJECT_SOURCE_DIR@" "${PROJECT_SOURCE_DIR}" expected_stderr "${expected_stderr}")
endif()
if(NOT actual_stderr STREQUAL expected_stderr)
  fail("standard error differs: diff ${CASE}/stderr ${WORK}.stderr")
endif()

if(EXISTS "${CASE}/json")
  file(STRINGS "${CASE}/json" stream LIMIT_COUNT 1)
  string(REGEX MATCH "[^\n]*\n?$" last_line "${actual_${stream}}")
  string(JSON type ERROR_VARIABLE json_error TYPE "${last_line}")
  if(json_error OR NOT type STREQUAL "OBJECT")
    fail("the last line of ${stream} is no JSON object: ${json_error}")
  endif()
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
    fail_unless_same("${CASE}/expected/${name}" "${WORK}/${name}"
                     "differs: cmp ${CASE}/expected/${name} ${WORK}/${name}")
  endif()
endforeach()
foreach(name IN LISTS work_files)
  if(name IN_LIST expected_files)
    continue()
  endif()
  if(NOT EXISTS "${inputs}/${name}")
    fail("unexpected file: ${name}")
    continue()
  endif()
  fail_unless_same("${inputs}/${name}" "${WORK}/${name}" "input file changed: ${name}")
endforeach()

file(GLOB_RECURSE input_files RELATIVE "${inputs}" "${inputs}/*")
foreach(name IN LISTS input_files)
  if(NOT EXISTS "${WORK}/${name}" AND NOT IS_SYMLINK "${WORK}/${name}")
    fail("input file deleted: ${name}")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "Case ${CASE}:${failures}")
endif()
message(STATUS "Case ${CASE} matches")
