# zrv-score's Cabrillo 3.0 file, made from the plug-in's own file and its settings file (read
# through the plug-in's settings code). CREATED-BY names the project version.
add_library(zrv_cabrillo3 STATIC ${CMAKE_CURRENT_LIST_DIR}/cabrillo3.cpp)
target_include_directories(zrv_cabrillo3 PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(zrv_cabrillo3 PUBLIC stats_core)
target_link_libraries(zrv_cabrillo3 PUBLIC zrv_version)
target_link_libraries(zrv-score PRIVATE zrv_cabrillo3)

if(NOT CMAKE_CROSSCOMPILING)
  # The input is a file the plug-in core's own writer makes, from settings kept in memory.
  add_executable(zrv_cabrillo3_tests ${CMAKE_SOURCE_DIR}/tests/zrv-score/cabrillo3_test.cpp)
  target_link_libraries(zrv_cabrillo3_tests PRIVATE zrv_cabrillo3 GTest::gtest_main)
  gtest_discover_tests(zrv_cabrillo3_tests DISCOVERY_TIMEOUT 30 PROPERTIES LABELS tool TIMEOUT 60)
endif()
