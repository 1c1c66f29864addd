# The benchmark (scripts/bench, not CTest): libStats.so and libStatsLinear.so, the same entry points
# over the scanning store of the test tree, each measured through its exports in a process of its
# own. It links the settings code to time the settings write on its own. Native only.
add_executable(stats_benchmark
  ${CMAKE_CURRENT_LIST_DIR}/bench_main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/child_process.cpp
  ${CMAKE_CURRENT_LIST_DIR}/contest_log.cpp
  ${CMAKE_CURRENT_LIST_DIR}/measurement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/measured_plugin.cpp
  ${CMAKE_CURRENT_LIST_DIR}/process_clock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/results_table.cpp)
target_include_directories(stats_benchmark PRIVATE ${CMAKE_SOURCE_DIR} ${STATS_GENERATED_DIR})
target_link_libraries(stats_benchmark PRIVATE stats_platform stats_host)
target_compile_definitions(stats_benchmark PRIVATE
  STATS_LIBRARY_PATH="$<TARGET_FILE:Stats>"
  STATS_LINEAR_LIBRARY_PATH="$<TARGET_FILE:StatsLinear>")
add_dependencies(stats_benchmark Stats StatsLinear)
