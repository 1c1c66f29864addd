# Cross build for 32-bit Windows (i686) with mingw-w64. Test executables run under Wine: the
# `wine` launcher runs 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(STATS_MINGW_TRIPLE i686-w64-mingw32)
find_program(STATS_WINE_LAUNCHER NAMES wine REQUIRED)
include(${CMAKE_CURRENT_LIST_DIR}/mingw_toolchain.cmake)
