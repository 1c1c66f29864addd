# zrv-score's country resolution: the country file (cty.dat format) and the WPX prefix of a call;
# portable, free of OS calls.
add_library(zrv_country STATIC
  ${CMAKE_CURRENT_LIST_DIR}/call_prefix.cpp
  ${CMAKE_CURRENT_LIST_DIR}/country_file.cpp)
target_include_directories(zrv_country PUBLIC ${CMAKE_SOURCE_DIR})

if(NOT CMAKE_CROSSCOMPILING)
  if(NOT TARGET GTest::gtest_main)
    find_package(GTest REQUIRED)
  endif()
  include(GoogleTest)
  # The tests read the installed country file (scripts/setup installs hamradio-files); stats_core
  # gives the plug-in's European-Union list that the resolved prefixes must match.
  add_executable(zrv_country_tests
    ${CMAKE_CURRENT_LIST_DIR}/tests/call_prefix_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tests/country_file_test.cpp)
  target_link_libraries(zrv_country_tests PRIVATE zrv_country stats_core GTest::gtest_main)
  gtest_discover_tests(zrv_country_tests DISCOVERY_TIMEOUT 30 PROPERTIES LABELS tool TIMEOUT 60)
endif()
