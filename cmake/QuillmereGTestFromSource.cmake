# GoogleTest compiled from its sources with this build's compiler (cross builds, where the
# system's prebuilt GoogleTest is for the wrong platform): -DQUILLMERE_GTEST_SOURCE_DIR=DIR,
# e.g. /usr/src/googletest from Debian's googletest package.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${QUILLMERE_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
if(NOT TARGET GTest::gtest)
  add_library(GTest::gtest ALIAS gtest)
  add_library(GTest::gtest_main ALIAS gtest_main)
endif()
