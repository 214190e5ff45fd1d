# Cross build for 64-bit Windows with mingw-w64 (Debian: g++-mingw-w64-x86-64, mingw-w64).
# SSE2 and a 16-byte aligned stack are part of the x64 calling convention.
set(VELMORAN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/MingwW64Toolchain.cmake)
