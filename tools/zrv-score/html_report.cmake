# zrv-score's HTML report: one self-contained page per run, its multipliers worked out by the
# plug-in core's own accounting code. Portable, free of OS calls.
add_library(zrv_html_report STATIC ${CMAKE_CURRENT_LIST_DIR}/html_report.cpp)
target_include_directories(zrv_html_report PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(zrv_html_report PUBLIC stats_core)
target_link_libraries(zrv_html_report PRIVATE zrv_version)
target_link_libraries(zrv-score PRIVATE zrv_html_report)

if(NOT CMAKE_CROSSCOMPILING)
  add_executable(zrv_html_tests ${CMAKE_SOURCE_DIR}/tests/zrv-score/html_report_test.cpp)
  target_link_libraries(zrv_html_tests PRIVATE zrv_html_report GTest::gtest_main)
  gtest_discover_tests(zrv_html_tests DISCOVERY_TIMEOUT 30 PROPERTIES LABELS tool TIMEOUT 60)

  # A page of a sample log rendered by headless chromium into a PNG; skipped without chromium.
  zrv_score_script_test(zrv_html_render html_render.cmake
    -DLOG=${CMAKE_CURRENT_LIST_DIR}/samples/foreign_station.adi
    -DSCREENSHOT=${CMAKE_SOURCE_DIR}/scripts/screenshot-html)
  set_tests_properties(zrv_html_render PROPERTIES SKIP_REGULAR_EXPRESSION "chromium not installed"
                                                  TIMEOUT 120)
endif()
