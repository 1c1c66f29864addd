# zrv-score end to end: scores the sample logs with --cabrillo in a fresh folder, through the
# plug-in library built beside it, and compares what it printed and the Cabrillo files it wrote
# with the expected ones, byte for byte.
#
#   cmake -DTOOL=... -DLIBRARY=... -DCOUNTRY_FILE=... -DEXPECTED=... -DWORK=... [-DLAUNCHER=wine]
#         [-DUPDATE=ON] -P end_to_end.cmake
#
# UPDATE=ON writes what the run gave as the new expected files, for a deliberate change of the
# report or the Cabrillo file; review the difference before committing it.
foreach(variable TOOL LIBRARY COUNTRY_FILE EXPECTED WORK)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "end_to_end.cmake needs -D${variable}=...")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/Plugins")
# The Belgian sample station's province: its sent exchange, without which no file is written.
execute_process(
  COMMAND ${LAUNCHER} "${TOOL}" setup --province LG
  WORKING_DIRECTORY "${WORK}"
  OUTPUT_QUIET
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "zrv-score setup ended with status ${status}\n${errors}")
endif()
execute_process(
  COMMAND ${LAUNCHER} "${TOOL}" --cabrillo --lib "${LIBRARY}" --cty "${COUNTRY_FILE}"
  WORKING_DIRECTORY "${WORK}"
  OUTPUT_FILE "${WORK}/report.txt"
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
message("${errors}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "zrv-score ended with status ${status}")
endif()

file(GLOB cabrillo_files RELATIVE "${WORK}" "${WORK}/*.cbr")
# The expected files; a dot file beside them (.gitattributes) is not one.
file(GLOB expected_files RELATIVE "${EXPECTED}" "${EXPECTED}/*")
list(FILTER expected_files EXCLUDE REGEX "^\\.")
if(UPDATE)
  list(TRANSFORM expected_files PREPEND "${EXPECTED}/" OUTPUT_VARIABLE old_files)
  if(old_files)
    file(REMOVE ${old_files})
  endif()
  foreach(name report.txt ${cabrillo_files})
    file(COPY "${WORK}/${name}" DESTINATION "${EXPECTED}")
  endforeach()
  message("expected files written to ${EXPECTED}: report.txt ${cabrillo_files}")
  return()
endif()

list(SORT expected_files)
set(written report.txt ${cabrillo_files})
list(SORT written)
if(NOT written STREQUAL expected_files)
  message(FATAL_ERROR "files written: ${written}; expected: ${expected_files}")
endif()
foreach(name ${expected_files})
  file(READ "${EXPECTED}/${name}" expected HEX)
  file(READ "${WORK}/${name}" actual HEX)
  if(NOT expected STREQUAL actual)
    message(FATAL_ERROR "${name} differs from ${EXPECTED}/${name}: diff the two files to see how "
                        "(the run's files stay in ${WORK})")
  endif()
endforeach()
message("report.txt and ${cabrillo_files} as expected")
