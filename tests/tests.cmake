# Unit tests drive the core directly with fakes of the seams; they build natively and, cross-built,
# run under Wine. Library tests and the benchmark load the built libStats.so (native only).
if(CMAKE_CROSSCOMPILING)
  # A test program that Wine cannot start at all may still end with status 0: a test under Wine
  # passes only when GoogleTest says so, and fails when it reports a failed test.
  set(STATS_WINE_TEST_VERDICT
      PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(STATS_GTEST_MAIN gtest_main)
else()
  find_package(GTest REQUIRED)
  set(STATS_GTEST_MAIN GTest::gtest_main)
  set(STATS_DISCOVERY_TIMEOUT 30)
endif()
include(GoogleTest)

# The scanning log store the indexed one is checked and measured against.
add_library(stats_model STATIC ${CMAKE_CURRENT_LIST_DIR}/model/linear_qso_store.cpp)
target_link_libraries(stats_model PUBLIC stats_core)

# One test file per module of the core, in the folder of the core's layer (tests/unit/<layer>/).
add_executable(unit_tests
  ${CMAKE_CURRENT_LIST_DIR}/unit/api/export_names_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/cabrillo/cabrillo_header_settings_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/cabrillo/cabrillo_header_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/cabrillo/cabrillo_writer_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/contest/call_check_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/contest/qso_accounting_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/diagnostics/diagnostics_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/dialogs/combo_selection_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/dialogs/dialog_init_data_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/live/info_panel_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/live/poll_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/live/window_positions_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/log/ole_date_time_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/log/qso_store_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/log/slot_table_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/log/store_differential_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/plugin/stats_plugin_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/report/score_report_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/rules/contest_rules_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/settings/ini_text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/settings/settings_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/trace_capture.cpp)
target_include_directories(unit_tests PRIVATE ${STATS_GENERATED_DIR})
target_link_libraries(unit_tests PRIVATE stats_platform stats_model ${STATS_GTEST_MAIN})
# The platform's own tests, in tests/platform/<platform>/.
if(WIN32)
  target_sources(unit_tests PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/platform/win32/cabrillo_dialog_controls_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/win32/host_application_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/win32/mem_dc_test.cpp)
else()
  target_sources(unit_tests PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/platform/posix/profile_store_test.cpp)
endif()
if(CMAKE_CROSSCOMPILING)
  target_sources(unit_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/support/automation_object.cpp)
  # One Wine start for the whole suite: a start per test case would cost seconds each.
  add_test(NAME unit_tests COMMAND unit_tests --gtest_brief=1)
  set_tests_properties(unit_tests PROPERTIES LABELS unit TIMEOUT 600
                       ${STATS_WINE_TEST_VERDICT})
  include(${CMAKE_CURRENT_LIST_DIR}/wine/wine_tests.cmake)
else()
  gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT ${STATS_DISCOVERY_TIMEOUT}
                       PROPERTIES LABELS unit)
endif()

# The scenarios: a build of the plug-in loaded through the host library and driven through its ten
# entry points as the logger drives them; against libStats.so natively and against each DLL under
# Wine. Each test file holds one suite named after it, with "Library" in front, so that CTest's
# names keep these apart from the unit tests of the same subjects. The exports' scenarios need the
# headless user interface (their message goes to standard error): POSIX only.
add_executable(scenario_tests
  ${CMAKE_CURRENT_LIST_DIR}/scenarios/entry_points_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scenarios/qso_data_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scenarios/result_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/stats_library.cpp)
target_link_libraries(scenario_tests PRIVATE ${STATS_GTEST_MAIN} stats_host)
add_dependencies(scenario_tests Stats)
if(CMAKE_CROSSCOMPILING)
  add_test(NAME scenario_tests COMMAND scenario_tests --gtest_brief=1
           WORKING_DIRECTORY $<TARGET_FILE_DIR:Stats>)
  set_tests_properties(scenario_tests PROPERTIES LABELS library TIMEOUT 300
                       ${STATS_WINE_TEST_VERDICT})
else()
  target_sources(scenario_tests PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/platform/posix/library_export_test.cpp)
  gtest_discover_tests(scenario_tests DISCOVERY_TIMEOUT ${STATS_DISCOVERY_TIMEOUT}
                       PROPERTIES LABELS library)
endif()

if(NOT CMAKE_CROSSCOMPILING)
  # The host's thread and the live window's thread on one plug-in for a few seconds; without
  # GoogleTest, so that a ThreadSanitizer build (STATS_TSAN) instruments every line it runs.
  add_executable(stress_tests ${CMAKE_CURRENT_LIST_DIR}/stress/poll_stress_test.cpp
                              ${CMAKE_CURRENT_LIST_DIR}/support/polling_window.cpp)
  target_link_libraries(stress_tests PRIVATE stats_platform stats_core)
  add_test(NAME stress_tests COMMAND stress_tests)
  set_tests_properties(stress_tests PROPERTIES LABELS stress TIMEOUT 120
                       ENVIRONMENT "TSAN_OPTIONS=halt_on_error=1 second_deadlock_stack=1")

  # A 24-hour contest compressed, twice, with the live window polling: answers checked, memory,
  # threads and open files measured and kept flat (tests/soak/contest_script.h).
  add_executable(soak_test
    ${CMAKE_CURRENT_LIST_DIR}/soak/contest_script.cpp
    ${CMAKE_CURRENT_LIST_DIR}/soak/native_soak.cpp
    ${CMAKE_CURRENT_LIST_DIR}/soak/posix/process_counts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/support/polling_window.cpp)
  target_link_libraries(soak_test PRIVATE stats_platform stats_core)
  add_test(NAME soak_test COMMAND soak_test)
  set_tests_properties(soak_test PROPERTIES LABELS soak TIMEOUT 900)

  if(STATS_BENCHMARKS)
    # The reference build of the library: the same exports over the scanning store.
    add_library(StatsLinear SHARED
      ${CMAKE_SOURCE_DIR}/entry/exports.cpp
      ${CMAKE_SOURCE_DIR}/entry/application.cpp
      ${CMAKE_CURRENT_LIST_DIR}/model/linear_application_store.cpp)
    target_link_libraries(StatsLinear PRIVATE stats_model stats_platform)
    target_link_options(StatsLinear PRIVATE
      -Wl,--version-script=${STATS_GENERATED_DIR}/exports.map -Wl,--no-undefined)
  endif()
endif()
