# GoogleTest for the test programs: the installed package where one fits this build, else
# Debian's source (/usr/src/googletest) built in the build tree. The MinGW toolchains look
# for packages only under their target's root (mingw-common.cmake), so a Windows build
# never takes the host's Linux library; no MinGW package exists, so those builds always
# take the source. Either way the targets are GTest::gtest and GTest::gtest_main.
find_package(GTest QUIET)
if(NOT TARGET GTest::gtest)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
