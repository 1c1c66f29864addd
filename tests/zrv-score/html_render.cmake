# zrv-score's HTML page rendered: a log scored with --html in a fresh folder, the page shot by
# headless chromium through scripts/screenshot-html, and the PNG checked to hold a drawn page.
# Without chromium it says "chromium not installed", which the test takes as a skip.
#
#   cmake -DTOOL=... -DLIBRARY=... -DCOUNTRY_FILE=... -DWORK=... -DLOG=... -DSCREENSHOT=...
#         -P html_render.cmake
foreach(variable TOOL LIBRARY COUNTRY_FILE WORK LOG SCREENSHOT)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "html_render.cmake needs -D${variable}=...")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/Plugins")
execute_process(
  COMMAND ${LAUNCHER} "${TOOL}" "${LOG}" --html "${WORK}/page.html" --lib "${LIBRARY}"
          --cty "${COUNTRY_FILE}"
  WORKING_DIRECTORY "${WORK}"
  OUTPUT_QUIET
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT EXISTS "${WORK}/page.html")
  message(FATAL_ERROR "zrv-score ended with status ${status} and wrote no page: ${errors}")
endif()

execute_process(
  COMMAND "${SCREENSHOT}" "${WORK}/page.html" "${WORK}/page.png" 800
  OUTPUT_QUIET
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(status EQUAL 3)
  message("chromium not installed: the page is not rendered")
  return()
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "screenshot-html ended with status ${status}: ${errors}")
endif()

# A PNG with the page drawn in it: a blank window has one colour, the chart alone has six bands'.
file(READ "${WORK}/page.png" signature LIMIT 8 HEX)
if(NOT signature STREQUAL "89504e470d0a1a0a")
  message(FATAL_ERROR "${WORK}/page.png is no PNG")
endif()
find_program(CONVERT convert)
if(CONVERT)
  execute_process(COMMAND "${CONVERT}" "${WORK}/page.png" -format %k info:
                  OUTPUT_VARIABLE colours OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT colours GREATER 8)
    message(FATAL_ERROR "${WORK}/page.png has ${colours} colours: no page drawn")
  endif()
  message("${WORK}/page.png: ${colours} colours")
endif()
