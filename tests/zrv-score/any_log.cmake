# zrv-score on every ADIF fixture, broken ones included: each log is scored (status 0) or refused
# with a message (status 1), and never ends the program any other way.
#
#   cmake -DTOOL=... -DLIBRARY=... -DCOUNTRY_FILE=... -DFIXTURES=... -DWORK=... [-DLAUNCHER=wine]
#         -P any_log.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/Plugins")
file(GLOB logs "${FIXTURES}/*.adi")
if(NOT logs)
  message(FATAL_ERROR "no fixtures in ${FIXTURES}")
endif()
foreach(log ${logs})
  execute_process(
    COMMAND ${LAUNCHER} "${TOOL}" "${log}" --call DL1TST --lib "${LIBRARY}" --cty "${COUNTRY_FILE}"
    WORKING_DIRECTORY "${WORK}"
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
  get_filename_component(name "${log}" NAME)
  if(NOT status MATCHES "^[01]$")
    message(FATAL_ERROR "${name}: zrv-score ended with ${status}\n${output}\n${errors}")
  endif()
  if(status EQUAL 1 AND errors STREQUAL "")
    message(FATAL_ERROR "${name}: refused without a message")
  endif()
  message("${name}: status ${status}")
endforeach()
