# Tests of the Windows DLL under Wine: a test host executable that loads Stats.dll as the logger
# does, drives its exports, and finds and operates its dialogs.
add_executable(windows_host_tests
  ${CMAKE_CURRENT_LIST_DIR}/cabrillo_dialog_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_driver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_screenshot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exports_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lifecycle_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/live_window_host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/live_window_stop_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/live_window_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/profile_difference_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/result_reentry_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setup_dialog_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/soak_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wine_host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trace_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/soak/contest_script.cpp
  ${CMAKE_SOURCE_DIR}/tests/soak/win32/process_counts.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/automation_object.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/stats_library.cpp)
target_include_directories(windows_host_tests PRIVATE ${CMAKE_SOURCE_DIR} ${STATS_GENERATED_DIR})
target_link_libraries(windows_host_tests PRIVATE stats_host gtest_main user32 gdi32 ole32 oleaut32 uuid psapi)
target_compile_definitions(windows_host_tests PRIVATE
  STATS_SCREENSHOT_DIR="${CMAKE_BINARY_DIR}/screenshots")
add_dependencies(windows_host_tests Stats)
add_test(NAME windows_host_tests
         COMMAND windows_host_tests --gtest_brief=1 --gtest_filter=-ProfileDifference.*:Soak.*
         WORKING_DIRECTORY $<TARGET_FILE_DIR:Stats>)
set_tests_properties(windows_host_tests PROPERTIES LABELS wine TIMEOUT 300
                     ${STATS_WINE_TEST_VERDICT})

# The settings-file differential test: one script, run through kernel32 inside the test host
# (profile_difference_test.cpp) and through the POSIX store by a runner built here with the build
# machine's own compiler; the runner's transcript is made at build time beside the test host.
set(STATS_PROFILE_SCRIPT ${CMAKE_SOURCE_DIR}/tests/data/profile_script.txt)
set(STATS_PROFILE_RUNNER_SOURCES
  ${CMAKE_SOURCE_DIR}/tests/profile_script/native_runner.cpp
  ${CMAKE_SOURCE_DIR}/tests/profile_script/profile_script.cpp
  ${CMAKE_SOURCE_DIR}/platform/posix/profile_store.cpp
  ${CMAKE_SOURCE_DIR}/core/settings/ini_text.cpp)
set(STATS_PROFILE_RUNNER ${CMAKE_BINARY_DIR}/profile_script_native)
find_program(STATS_HOST_CXX NAMES c++ g++ clang++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
add_custom_command(
  OUTPUT ${STATS_PROFILE_RUNNER}
  COMMAND ${STATS_HOST_CXX} -std=c++20 -O1 -Wall -Wextra -Werror -I${CMAKE_SOURCE_DIR}
          ${STATS_PROFILE_RUNNER_SOURCES} -o ${STATS_PROFILE_RUNNER}
  DEPENDS ${STATS_PROFILE_RUNNER_SOURCES} ${CMAKE_SOURCE_DIR}/core/settings/profile.h
          ${CMAKE_SOURCE_DIR}/core/settings/ini_text.h
          ${CMAKE_SOURCE_DIR}/tests/profile_script/profile_script.h
          ${CMAKE_SOURCE_DIR}/tests/support/scratch_folder.h
  COMMENT "Building the native settings-file script runner"
  VERBATIM)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/profile_script.txt ${CMAKE_BINARY_DIR}/profile_script.native.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${STATS_PROFILE_SCRIPT} ${CMAKE_BINARY_DIR}/profile_script.txt
  COMMAND ${STATS_PROFILE_RUNNER} ${STATS_PROFILE_SCRIPT}
          ${CMAKE_BINARY_DIR}/profile_script.native.txt
  DEPENDS ${STATS_PROFILE_RUNNER} ${STATS_PROFILE_SCRIPT}
  COMMENT "Running the settings-file script through the POSIX store"
  VERBATIM)
add_custom_target(profile_script_native_transcript
  DEPENDS ${CMAKE_BINARY_DIR}/profile_script.txt ${CMAKE_BINARY_DIR}/profile_script.native.txt)
target_sources(windows_host_tests PRIVATE
  ${CMAKE_SOURCE_DIR}/tests/profile_script/profile_script.cpp
  ${CMAKE_SOURCE_DIR}/platform/win32/profile_store.cpp)
add_dependencies(windows_host_tests profile_script_native_transcript)
# A test of its own, so that a difference does not hide the state of the other Windows tests.
add_test(NAME profile_difference
         COMMAND windows_host_tests --gtest_brief=1 --gtest_filter=ProfileDifference.*
         WORKING_DIRECTORY $<TARGET_FILE_DIR:Stats>)
set_tests_properties(profile_difference PROPERTIES LABELS wine TIMEOUT 120
                     ${STATS_WINE_TEST_VERDICT})

# The soak: the DLL through a compressed contest, twice, with its live windows polling.
add_test(NAME soak_windows
         COMMAND windows_host_tests --gtest_filter=Soak.*
         WORKING_DIRECTORY $<TARGET_FILE_DIR:Stats>)
set_tests_properties(soak_windows PROPERTIES LABELS "wine;soak" TIMEOUT 600
                     ${STATS_WINE_TEST_VERDICT})
