# libStats.so: the core with the POSIX settings file, traces on standard error and the headless
# user interface.
add_library(stats_platform STATIC
  plugin/posix/diagnostics.cpp
  plugin/posix/profile_store.cpp
  windows/headless/user_interface.cpp
)
target_link_libraries(stats_platform PUBLIC stats_core)

add_library(Stats SHARED plugin/exports.cpp plugin/application.cpp plugin/application_store.cpp)
target_link_libraries(Stats PRIVATE stats_platform)
# Exactly the listed entry points are visible; the C++ runtime and everything else stays hidden.
target_link_options(Stats PRIVATE
  -Wl,--version-script=${STATS_GENERATED_DIR}/exports.map
  -Wl,--no-undefined)
set_target_properties(Stats PROPERTIES LINK_DEPENDS ${STATS_GENERATED_DIR}/exports.map)
