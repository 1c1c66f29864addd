# The command-line host, zrv-score: its portable parts and their tests.

# zrv-score's ADIF reader and the mapping of a record to the QSO values handed to the plug-in:
# portable, free of OS calls.
add_library(zrv_adif STATIC
  ${CMAKE_CURRENT_LIST_DIR}/zrv-score/adif_qso.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zrv-score/adif_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zrv-score/band_plan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zrv-score/qso_selection.cpp)
target_include_directories(zrv_adif PUBLIC ${CMAKE_SOURCE_DIR})
# The plug-in's date formatting, for the contest period in messages.
target_link_libraries(zrv_adif PUBLIC stats_core)

if(NOT CMAKE_CROSSCOMPILING)
  # The comparison with the npm package adif-parser-ts runs node on the fixtures; scripts/setup
  # installs the package into build/node/. Without node or the package that test is skipped.
  add_executable(zrv_adif_tests ${CMAKE_SOURCE_DIR}/tests/zrv-score/adif_reader_test.cpp)
  # stats_core gives the plug-in's own date formatting, which the OLE dates are checked against.
  target_link_libraries(zrv_adif_tests PRIVATE zrv_adif stats_core GTest::gtest_main)
  target_compile_definitions(zrv_adif_tests PRIVATE
    ZRV_ADIF_FIXTURES="${CMAKE_SOURCE_DIR}/tests/zrv-score/fixtures/adif"
    ZRV_ADIF_NODE_SCRIPT="${CMAKE_SOURCE_DIR}/tests/zrv-score/adif_parser_ts_dump.js"
    ZRV_NODE_MODULES="${CMAKE_SOURCE_DIR}/build/node/node_modules")
  gtest_discover_tests(zrv_adif_tests DISCOVERY_TIMEOUT 30 PROPERTIES LABELS tool TIMEOUT 60)
endif()

# The contest's cross-check: the submitted Cabrillo logs read as entrants write them; portable.
add_library(zrv_check STATIC
  ${CMAKE_CURRENT_LIST_DIR}/zrv-score/cross_check.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zrv-score/submitted_log.cpp)
target_include_directories(zrv_check PUBLIC ${CMAKE_SOURCE_DIR})
# The band plan and the calls' designators of zrv-score's log reading.
target_link_libraries(zrv_check PUBLIC zrv_adif zrv_country)

if(NOT CMAKE_CROSSCOMPILING)
  add_executable(zrv_check_tests ${CMAKE_SOURCE_DIR}/tests/zrv-score/cross_check_test.cpp
                                 ${CMAKE_SOURCE_DIR}/tests/zrv-score/submitted_log_test.cpp)
  target_link_libraries(zrv_check_tests PRIVATE zrv_check GTest::gtest_main)
  gtest_discover_tests(zrv_check_tests DISCOVERY_TIMEOUT 30 PROPERTIES LABELS tool TIMEOUT 60)
endif()

# zrv-score's country resolution: the country file (cty.dat format) and the WPX prefix of a call;
# portable, free of OS calls.
add_library(zrv_country STATIC
  ${CMAKE_CURRENT_LIST_DIR}/zrv-score/call_prefix.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zrv-score/country_file.cpp)
target_include_directories(zrv_country PUBLIC ${CMAKE_SOURCE_DIR})

if(NOT CMAKE_CROSSCOMPILING)
  # The tests read the installed country file (scripts/setup installs hamradio-files); stats_core
  # gives the plug-in's European-Union list that the resolved prefixes must match.
  add_executable(zrv_country_tests
    ${CMAKE_SOURCE_DIR}/tests/zrv-score/call_prefix_test.cpp
    ${CMAKE_SOURCE_DIR}/tests/zrv-score/country_file_test.cpp)
  target_link_libraries(zrv_country_tests PRIVATE zrv_country stats_core GTest::gtest_main)
  gtest_discover_tests(zrv_country_tests DISCOVERY_TIMEOUT 30 PROPERTIES LABELS tool TIMEOUT 60)
endif()

# zrv-score's settings commands (setup, header, settings): they write the plug-in's settings file
# through the plug-in's own settings code and platform profile store.
add_library(zrv_settings_commands STATIC ${CMAKE_CURRENT_LIST_DIR}/zrv-score/settings_commands.cpp)
target_include_directories(zrv_settings_commands PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(zrv_settings_commands PUBLIC stats_platform)

if(NOT CMAKE_CROSSCOMPILING)
  # The commands' files are compared with the ones the plug-in core writes when its dialogs, faked,
  # close with OK.
  add_executable(zrv_settings_tests
    ${CMAKE_SOURCE_DIR}/tests/zrv-score/settings_commands_test.cpp)
  target_link_libraries(zrv_settings_tests PRIVATE zrv_settings_commands GTest::gtest_main)
  gtest_discover_tests(zrv_settings_tests DISCOVERY_TIMEOUT 30 PROPERTIES LABELS tool TIMEOUT 60)
endif()

# zrv-score itself: a host of the plug-in library built beside it, which it loads at run time and
# drives only through its entry points. It finds the sample logs it scores by default in the
# source tree.
if(WIN32)
  set(ZRV_PLATFORM_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/zrv-score/win32/plugin_dialogs.cpp)
else()
  set(ZRV_PLATFORM_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/zrv-score/posix/plugin_dialogs.cpp)
endif()
add_executable(zrv-score
  ${CMAKE_CURRENT_LIST_DIR}/zrv-score/check_command.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zrv-score/check_outputs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zrv-score/check_score.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zrv-score/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zrv-score/plugin_host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zrv-score/report_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zrv-score/score_command.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zrv-score/score_options.cpp
  ${ZRV_PLATFORM_SOURCES})
target_include_directories(zrv-score PRIVATE ${STATS_GENERATED_DIR})
target_link_libraries(zrv-score PRIVATE zrv_check zrv_adif zrv_country zrv_settings_commands
                                        stats_host)
target_compile_definitions(zrv-score PRIVATE
  ZRV_SAMPLES_DIR="${CMAKE_CURRENT_LIST_DIR}/zrv-score/samples")
if(WIN32)
  target_link_options(zrv-score PRIVATE -static -static-libgcc -static-libstdc++)
endif()
add_dependencies(zrv-score Stats)

# zrv-score run by a CMake script over files, natively and, for zrv-score.exe, under Wine; the
# script gets the tool, the library, the country file, a fresh work folder and `ARGN`.
function(zrv_score_script_test name script)
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND}
      "-DLAUNCHER=${CMAKE_CROSSCOMPILING_EMULATOR}"
      -DTOOL=$<TARGET_FILE:zrv-score>
      -DLIBRARY=$<TARGET_FILE:Stats>
      -DCOUNTRY_FILE=/usr/share/hamradio-files/cty.dat
      -DWORK=${CMAKE_BINARY_DIR}/${name}
      ${ARGN}
      -P ${CMAKE_SOURCE_DIR}/tests/zrv-score/${script})
  set_tests_properties(${name} PROPERTIES LABELS tool TIMEOUT 300)
endfunction()
# The sample logs scored end to end against their expected report and Cabrillo files.
zrv_score_script_test(zrv_score_samples end_to_end.cmake
  -DEXPECTED=${CMAKE_SOURCE_DIR}/tests/zrv-score/expected)
# Every ADIF fixture, broken ones included: scored or refused with a message, never a crash.
zrv_score_script_test(zrv_score_any_log any_log.cmake
  -DFIXTURES=${CMAKE_SOURCE_DIR}/tests/zrv-score/fixtures/adif)
# What other programs' logs hold, on small logs the script writes.
zrv_score_script_test(zrv_score_behaviour behaviour.cmake)
# The contest's cross-check over a folder of submitted Cabrillo logs.
zrv_score_script_test(zrv_score_check check.cmake)

if(NOT CMAKE_CROSSCOMPILING)
  # The generator of the sample logs (scripts/make-sample-logs builds it on its own and rewrites
  # the logs), built here so that it keeps compiling; and the check of the logs as committed,
  # whose calls are resolved with the installed country file.
  add_executable(zrv_sample_logs ${CMAKE_CURRENT_LIST_DIR}/zrv-score/samples/make_sample_logs.cpp)
  target_include_directories(zrv_sample_logs PRIVATE ${CMAKE_SOURCE_DIR})
  add_executable(zrv_sample_logs_tests
    ${CMAKE_SOURCE_DIR}/tests/zrv-score/sample_logs_test.cpp)
  target_link_libraries(zrv_sample_logs_tests PRIVATE
    zrv_adif zrv_country stats_core GTest::gtest_main)
  target_compile_definitions(zrv_sample_logs_tests PRIVATE
    ZRV_SAMPLES_DIR="${CMAKE_CURRENT_LIST_DIR}/zrv-score/samples")
  gtest_discover_tests(zrv_sample_logs_tests DISCOVERY_TIMEOUT 30 PROPERTIES LABELS tool TIMEOUT 60)
endif()

# The simulated contest the cross-check is tested and measured with.
add_executable(zrv-contest-sim ${CMAKE_CURRENT_LIST_DIR}/contest-sim/contest_sim.cpp)
target_include_directories(zrv-contest-sim PRIVATE ${CMAKE_SOURCE_DIR})
if(WIN32)
  target_link_options(zrv-contest-sim PRIVATE -static -static-libgcc -static-libstdc++)
endif()
zrv_score_script_test(zrv_score_simulated_contest simulated_contest.cmake
  -DSIMULATOR=$<TARGET_FILE:zrv-contest-sim>)

# zrv-score's version, the project's, for the files it writes (tools/zrv-score/version.h).
add_library(zrv_version INTERFACE)
target_compile_definitions(zrv_version INTERFACE ZRV_SCORE_VERSION="${PROJECT_VERSION}")

# zrv-score's parts that keep their build in a file of their own: the ADX reader, the Cabrillo 3.0
# file and the HTML report.
include(${CMAKE_CURRENT_LIST_DIR}/zrv-score/adx.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/zrv-score/cabrillo3.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/zrv-score/html_report.cmake)

if(STATS_BENCHMARKS AND NOT CMAKE_CROSSCOMPILING)
  include(${CMAKE_CURRENT_LIST_DIR}/bench/bench.cmake)
endif()
