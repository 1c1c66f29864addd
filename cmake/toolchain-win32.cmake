# Cross build for 32-bit Windows (i686) with mingw-w64. The -posix compilers carry std::thread and
# std::mutex; -static links the C and C++ runtimes and winpthreads in, so the binaries import only
# system DLLs. Test executables run under Wine: the `wine` launcher runs 32-bit programs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(STATS_MINGW_TRIPLE i686-w64-mingw32)
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

find_program(STATS_WINE_LAUNCHER NAMES wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${STATS_WINE_LAUNCHER})
