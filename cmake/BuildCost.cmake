# What keeps the build cheap; see CONTRIBUTING.md, "Build cost".

# A compiler cache when the machine has one. A clean clone starts with an empty
# cache, so nothing below counts on it; it pays on rebuilds of the same tree.
find_program(VELMORAN_CCACHE ccache)
if(VELMORAN_CCACHE)
  set(CMAKE_C_COMPILER_LAUNCHER "${VELMORAN_CCACHE}" CACHE STRING "")
  set(CMAKE_CXX_COMPILER_LAUNCHER "${VELMORAN_CCACHE}" CACHE STRING "")
endif()

option(VELMORAN_TEST_UNITY "Compile each test program's sources as one unity translation unit" ON)
option(VELMORAN_TEST_PCH "Precompile GoogleTest's headers once for all test programs" ON)
option(VELMORAN_TEST_PER_CASE "Register every GoogleTest case as a CTest test of its own (off: one per program)" ON)

# The libraries and programs compile as unity translation units too: sixteen
# sources a unit parse the system's and the runtime's headers once instead of
# sixteen times. A source whose file-scope names would meet another's goes
# with SKIP_UNITY_BUILD_INCLUSION and says why.
option(VELMORAN_UNITY "Compile libraries and programs as unity translation units" ON)
if(VELMORAN_UNITY)
  set(CMAKE_UNITY_BUILD ON)
  set(CMAKE_UNITY_BUILD_BATCH_SIZE 16)
endif()
