# Stats.dll: the core with the kernel32 settings file and the Win32 user interface. The C and C++
# runtimes are linked statically, so the DLL imports system DLLs only.
file(GLOB STATS_WIN32_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/plugin/*_win32.cpp
  ${CMAKE_SOURCE_DIR}/windows/*_win32.cpp)
add_library(stats_platform STATIC ${STATS_WIN32_SOURCES})
target_link_libraries(stats_platform PUBLIC stats_core user32 gdi32 ole32 oleaut32 uuid)

if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64)$")
  set(STATS_DEF_FILE ${CMAKE_SOURCE_DIR}/plugin/exports_win64.def)
else()
  set(STATS_DEF_FILE ${CMAKE_SOURCE_DIR}/plugin/exports_win32.def)
endif()

add_library(Stats SHARED
  plugin/exports.cpp
  plugin/application.cpp
  resources/stats.rc
  ${STATS_DEF_FILE})
target_link_libraries(Stats PRIVATE stats_platform)
set_target_properties(Stats PROPERTIES PREFIX "" OUTPUT_NAME Stats)
target_link_options(Stats PRIVATE -static -static-libgcc -static-libstdc++)
