# Cross build for 32-bit Windows with mingw-w64 (Debian: g++-mingw-w64-i686, mingw-w64).
set(VELMORAN_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/MingwW64Toolchain.cmake)
# Every Windows that runs the browser runtime has SSE2; the JSON scanner uses it.
# Windows only promises 4-byte stack alignment to callbacks (window procedures,
# COM calls from the runtime), so functions that need more realign their own.
set(CMAKE_C_FLAGS_INIT "-msse2 -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mstackrealign")
