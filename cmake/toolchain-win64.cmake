# Cross build for 64-bit Windows (x86_64) with mingw-w64. Test executables run under Wine's 64-bit
# loader, which Debian installs outside PATH as /usr/lib/wine/wine64 (other distributions put
# `wine64` on PATH).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(STATS_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(STATS_WINE_LAUNCHER NAMES wine64 wine PATHS /usr/lib/wine REQUIRED)
include(${CMAKE_CURRENT_LIST_DIR}/mingw_toolchain.cmake)
