# zrv-score's log file: an ADIF file as it is, an ADX file (ADIF's XML form) turned into the same
# ADIF text by an XML parser: expat on POSIX, the XmlLite reader of Windows itself on Windows.
if(WIN32)
  set(ZRV_ADX_PARSER ${CMAKE_CURRENT_LIST_DIR}/win32/adx_to_adif.cpp)
else()
  set(ZRV_ADX_PARSER ${CMAKE_CURRENT_LIST_DIR}/posix/adx_to_adif.cpp)
endif()
add_library(zrv_log_file STATIC
  ${CMAKE_CURRENT_LIST_DIR}/adx_to_adif.cpp
  ${CMAKE_CURRENT_LIST_DIR}/log_file.cpp
  ${ZRV_ADX_PARSER})
target_link_libraries(zrv_log_file PUBLIC zrv_adif)
if(WIN32)
  # xmllite.dll is loaded at run time (mingw-w64 has no import library for it); the memory stream
  # it reads comes from shlwapi.
  target_link_libraries(zrv_log_file PRIVATE shlwapi)
else()
  # expat linked in statically where its static library is installed, so that zrv-score, shipped
  # alone in dist/, runs on a machine without the expat package.
  find_library(ZRV_EXPAT_STATIC_LIBRARY NAMES libexpat.a)
  if(ZRV_EXPAT_STATIC_LIBRARY)
    target_link_libraries(zrv_log_file PRIVATE ${ZRV_EXPAT_STATIC_LIBRARY})
  else()
    find_package(EXPAT REQUIRED)
    target_link_libraries(zrv_log_file PRIVATE EXPAT::EXPAT)
  endif()
endif()
target_link_libraries(zrv-score PRIVATE zrv_log_file)

if(NOT CMAKE_CROSSCOMPILING)
  add_executable(zrv_adx_tests ${CMAKE_SOURCE_DIR}/tests/zrv-score/adx_log_file_test.cpp)
  target_link_libraries(zrv_adx_tests PRIVATE zrv_log_file GTest::gtest_main)
  target_compile_definitions(zrv_adx_tests PRIVATE
    ZRV_ADX_FIXTURES="${CMAKE_SOURCE_DIR}/tests/zrv-score/fixtures/adx")
  gtest_discover_tests(zrv_adx_tests DISCOVERY_TIMEOUT 30 PROPERTIES LABELS tool TIMEOUT 60)
endif()

# The ADX log and its ADI twin scored by the whole tool, natively and as zrv-score.exe under Wine:
# both must give the same score table.
zrv_score_script_test(zrv_score_adx_twin adx_twin.cmake
  -DFIXTURES=${CMAKE_SOURCE_DIR}/tests/zrv-score/fixtures/adx)
