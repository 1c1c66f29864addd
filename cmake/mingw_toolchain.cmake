# What both mingw-w64 toolchains share; each toolchain file sets CMAKE_SYSTEM_PROCESSOR,
# STATS_MINGW_TRIPLE and the Wine launcher for its test executables, then includes this.
# The -posix compilers carry std::thread and std::mutex; -static links the C and C++ runtimes and
# winpthreads in, so the binaries import only system DLLs.
set(CMAKE_SYSTEM_NAME Windows)

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

set(CMAKE_CROSSCOMPILING_EMULATOR ${STATS_WINE_LAUNCHER})
