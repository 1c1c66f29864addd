# The helpers of the zrv-score script tests, which get TOOL, LIBRARY, COUNTRY_FILE, WORK and
# LAUNCHER.

# Runs zrv-score in WORK with the arguments after the status it must end with; its output goes to
# `out` and `err`.
function(zrv_score expected_status)
  execute_process(
    COMMAND ${LAUNCHER} "${TOOL}" ${ARGN} --lib "${LIBRARY}" --cty "${COUNTRY_FILE}"
    WORKING_DIRECTORY "${WORK}"
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
  string(REPLACE "\r\n" "\n" output "${output}")
  string(REPLACE "\r\n" "\n" errors "${errors}")
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "zrv-score ${ARGN} ended with ${status}, not ${expected_status}:\n"
                        "${output}\n${errors}")
  endif()
  set(out "${output}" PARENT_SCOPE)
  set(err "${errors}" PARENT_SCOPE)
  string(REPLACE ";" " " arguments "${ARGN}")
  set(run "zrv-score ${arguments}" PARENT_SCOPE)
endfunction()

# Each pair: what `text` must hold (a regular expression) and, after a '!', what it must not.
function(expect what text)
  foreach(pattern IN LISTS ARGN)
    if(pattern MATCHES "^!(.*)")
      if(text MATCHES "${CMAKE_MATCH_1}")
        message(FATAL_ERROR "${run}: ${what} holds '${CMAKE_MATCH_1}':\n${text}")
      endif()
    elseif(NOT text MATCHES "${pattern}")
      message(FATAL_ERROR "${run}: ${what} lacks '${pattern}':\n${text}")
    endif()
  endforeach()
endfunction()
