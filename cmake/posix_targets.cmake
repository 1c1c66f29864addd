# libStats.so: the core with the POSIX settings file and the headless user interface.
add_library(stats_platform STATIC
  plugin/profile_posix.cpp
  windows/user_interface_headless.cpp
)
target_link_libraries(stats_platform PUBLIC stats_core)

add_library(Stats SHARED plugin/exports.cpp plugin/application.cpp)
target_link_libraries(Stats PRIVATE stats_platform)
# Exactly the ten entry points are visible; the C++ runtime and everything else stays hidden.
target_link_options(Stats PRIVATE
  -Wl,--version-script=${CMAKE_CURRENT_SOURCE_DIR}/plugin/exports.map
  -Wl,--no-undefined)
set_target_properties(Stats PROPERTIES LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/plugin/exports.map)
