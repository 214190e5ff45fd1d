# Cross build for 32-bit Windows with mingw-w64 (Debian: g++-mingw-w64-i686, mingw-w64).
# The posix thread model: std::thread and std::mutex exist (the win32 model of
# Debian 12's GCC 12 has neither); winpthreads is linked statically.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# A self-contained executable: no libgcc/libstdc++ DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Every Windows that runs the browser runtime has SSE2; the JSON scanner uses it.
# Windows only promises 4-byte stack alignment to callbacks (window procedures,
# COM calls from the runtime), so functions that need more realign their own.
set(CMAKE_C_FLAGS_INIT "-msse2 -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mstackrealign")
