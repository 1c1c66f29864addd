# Tests of the Windows DLL under Wine: a test host executable that loads Stats.dll as the logger
# does, drives its exports, and finds and operates its dialogs. Every tests/wine/*.cpp goes into it.
file(GLOB STATS_WINE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
add_executable(windows_host_tests ${STATS_WINE_TEST_SOURCES})
target_include_directories(windows_host_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(windows_host_tests PRIVATE gtest_main user32 gdi32 ole32 oleaut32 uuid)
target_compile_definitions(windows_host_tests PRIVATE
  STATS_DLL_NAME="$<TARGET_FILE_NAME:Stats>"
  STATS_SCREENSHOT_DIR="${CMAKE_BINARY_DIR}/screenshots")
add_dependencies(windows_host_tests Stats)
add_test(NAME windows_host_tests COMMAND windows_host_tests --gtest_brief=1
         WORKING_DIRECTORY $<TARGET_FILE_DIR:Stats>)
set_tests_properties(windows_host_tests PROPERTIES LABELS wine TIMEOUT 900)
