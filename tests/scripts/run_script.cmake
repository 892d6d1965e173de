# Runs one script test (see CMakeLists.txt beside this file):
#   cmake -DRADIXCALC=... [-DEMULATOR=a|b] -DSCRIPT_DIR=... -DNAME=... -P run_script.cmake
# The script is passed by its name relative to SCRIPT_DIR, so that reports
# name it the same way on every machine; a script named stdin_* is read from
# standard input instead. Carriage returns are removed from
# both sides before comparing, for programs that write CR LF (Windows).

function(read_expected suffix out_var)
  set(path "${SCRIPT_DIR}/${NAME}.${suffix}")
  if(EXISTS "${path}")
    file(READ "${path}" text)
  else()
    set(text "")
  endif()
  string(REPLACE "\r" "" text "${text}")
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

set(command "")
if(EMULATOR)
  string(REPLACE "|" ";" command "${EMULATOR}")
endif()
list(APPEND command "${RADIXCALC}")
if(EXISTS "${SCRIPT_DIR}/${NAME}.args")
  file(STRINGS "${SCRIPT_DIR}/${NAME}.args" extra ENCODING UTF-8)
  list(APPEND command ${extra})
endif()
# A script whose name starts with "stdin_" is given on standard input, the
# others as a file argument.
if(NAME MATCHES "^stdin_")
  set(input "${SCRIPT_DIR}/${NAME}.calc")
else()
  list(APPEND command "${NAME}.calc")
  set(input /dev/null)
endif()

execute_process(COMMAND ${command}
                WORKING_DIRECTORY "${SCRIPT_DIR}"
                INPUT_FILE "${input}"
                OUTPUT_VARIABLE actual_out
                ERROR_VARIABLE actual_err
                RESULT_VARIABLE actual_status
                TIMEOUT 60)
string(REPLACE "\r" "" actual_out "${actual_out}")
string(REPLACE "\r" "" actual_err "${actual_err}")

read_expected(out expected_out)
read_expected(err expected_err)
read_expected(status expected_status)
string(STRIP "${expected_status}" expected_status)
if(expected_status STREQUAL "")
  set(expected_status 0)
endif()

set(failed FALSE)
if(NOT actual_out STREQUAL expected_out)
  message("${NAME}: standard output differs\n--- expected\n${expected_out}--- actual\n${actual_out}---")
  set(failed TRUE)
endif()
if(NOT actual_err STREQUAL expected_err)
  message("${NAME}: standard error differs\n--- expected\n${expected_err}--- actual\n${actual_err}---")
  set(failed TRUE)
endif()
if(NOT actual_status STREQUAL expected_status)
  message("${NAME}: exit status ${actual_status}, expected ${expected_status}")
  set(failed TRUE)
endif()
if(failed)
  message(FATAL_ERROR "${NAME}: script test failed")
endif()
