# Cross build for 64-bit Windows (x86_64) with mingw-w64. The -posix compilers carry std::thread
# and std::mutex; -static links the C and C++ runtimes and winpthreads in, so the binaries import
# only system DLLs. Test executables run under Wine's 64-bit loader, which Debian installs outside
# PATH as /usr/lib/wine/wine64 (other distributions put `wine64` on PATH).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(STATS_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${STATS_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${STATS_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${STATS_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${STATS_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

find_program(STATS_WINE_LAUNCHER NAMES wine64 wine PATHS /usr/lib/wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${STATS_WINE_LAUNCHER})
