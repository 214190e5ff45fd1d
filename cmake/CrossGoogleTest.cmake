# GoogleTest for the 32-bit Windows test programs: Debian ships its sources in
# /usr/src/googletest, built here with the cross toolchain into the build tree.
# Gives the same GTest:: targets as find_package(GTest) does natively.
set(VELMORAN_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources for the cross build")
if(NOT EXISTS "${VELMORAN_GOOGLETEST_SOURCE}/CMakeLists.txt")
  message(FATAL_ERROR "GoogleTest sources not found in ${VELMORAN_GOOGLETEST_SOURCE} (Debian: googletest)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
# The test programs run under Wine with one thread; GoogleTest's own pthread
# use would pull the winpthreads DLL beside every test program.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory("${VELMORAN_GOOGLETEST_SOURCE}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
foreach(target gtest gtest_main gmock gmock_main)
  if(NOT TARGET GTest::${target})
    add_library(GTest::${target} ALIAS ${target})
  endif()
endforeach()
