# What the two mingw-w64 cross toolchains share. The toolchain file of each
# architecture sets VELMORAN_MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR, then
# includes this file.
#
# The posix thread model: std::thread and std::mutex exist (the win32 model of
# Debian 12's GCC 12 has neither); winpthreads is linked statically.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${VELMORAN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELMORAN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VELMORAN_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VELMORAN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# A self-contained executable: no libgcc/libstdc++ DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
