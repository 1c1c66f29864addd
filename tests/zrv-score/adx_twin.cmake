# zrv-score on an ADX log and on its ADI twin (the same records and fields): both must print the
# same score table. The first line names the log file, so the comparison starts at the second.
#
#   cmake -DTOOL=... -DLIBRARY=... -DCOUNTRY_FILE=... -DFIXTURES=... -DWORK=... [-DLAUNCHER=wine]
#         -P adx_twin.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/Plugins")
foreach(twin adx adi)
  execute_process(
    COMMAND ${LAUNCHER} "${TOOL}" "${FIXTURES}/twin.${twin}" --call DL1TST --lib "${LIBRARY}"
            --cty "${COUNTRY_FILE}"
    WORKING_DIRECTORY "${WORK}"
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "twin.${twin}: zrv-score ended with ${status}\n${output}\n${errors}")
  endif()
  string(REPLACE "\r\n" "\n" output "${output}")
  string(FIND "${output}" "\n" first_line_end)
  string(SUBSTRING "${output}" ${first_line_end} -1 table_${twin})
endforeach()
if(NOT table_adx STREQUAL table_adi)
  message(FATAL_ERROR "twin.adx gave\n${table_adx}\ntwin.adi gave\n${table_adi}")
endif()
if(NOT table_adi MATCHES "4 records read, 4 scored")
  message(FATAL_ERROR "twin.adi was not scored whole:\n${table_adi}")
endif()
message("twin.adx and twin.adi give the same score table:${table_adx}")
