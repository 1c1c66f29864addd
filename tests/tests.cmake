# Unit tests drive the core directly with fakes of the seams; they build natively and, cross-built,
# run under Wine. Library tests and the benchmark load the built libStats.so (native only).
if(CMAKE_CROSSCOMPILING)
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

file(GLOB STATS_UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/unit/*.cpp)
add_executable(unit_tests ${STATS_UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE stats_platform ${STATS_GTEST_MAIN})
if(CMAKE_CROSSCOMPILING)
  # One Wine start for the whole suite: a start per test case would cost seconds each.
  add_test(NAME unit_tests COMMAND unit_tests --gtest_brief=1)
  set_tests_properties(unit_tests PROPERTIES LABELS unit TIMEOUT 600)
  include(${CMAKE_CURRENT_LIST_DIR}/wine/wine_tests.cmake)
else()
  gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT ${STATS_DISCOVERY_TIMEOUT}
                       PROPERTIES LABELS unit)
endif()

if(NOT CMAKE_CROSSCOMPILING)
  file(GLOB STATS_LIBRARY_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/library/*.cpp)
  add_executable(library_tests ${STATS_LIBRARY_TEST_SOURCES} ${CMAKE_CURRENT_LIST_DIR}/library/stats_library.h)
  target_include_directories(library_tests PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(library_tests PRIVATE ${STATS_GTEST_MAIN} ${CMAKE_DL_LIBS})
  target_compile_definitions(library_tests PRIVATE
    STATS_LIBRARY_PATH="$<TARGET_FILE:Stats>")
  add_dependencies(library_tests Stats)
  gtest_discover_tests(library_tests DISCOVERY_TIMEOUT ${STATS_DISCOVERY_TIMEOUT}
                       PROPERTIES LABELS library)

  if(STATS_BENCHMARKS)
    find_package(benchmark REQUIRED)
    add_executable(stats_benchmark ${CMAKE_CURRENT_LIST_DIR}/bench/exports_benchmark.cpp)
    target_include_directories(stats_benchmark PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(stats_benchmark PRIVATE benchmark::benchmark ${CMAKE_DL_LIBS})
    target_compile_definitions(stats_benchmark PRIVATE STATS_LIBRARY_PATH="$<TARGET_FILE:Stats>")
    add_dependencies(stats_benchmark Stats)
  endif()
endif()
