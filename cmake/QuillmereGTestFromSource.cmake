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

# GCC 12's "win32" thread-model libstdc++ (the Windows cross builds) has no std::mutex and no
# std::condition_variable, which GoogleTest's Notification is made of: there a Win32 one takes
# its place.
include(CheckCXXSourceCompiles)
check_cxx_source_compiles("#include <mutex>
int main() { std::mutex m; m.lock(); m.unlock(); }" QUILLMERE_HAVE_STD_MUTEX)
if(WIN32 AND NOT QUILLMERE_HAVE_STD_MUTEX)
  set(notification "${CMAKE_CURRENT_LIST_DIR}/../tests/support/gtest_notification_win32")
  target_sources(gtest PRIVATE "${notification}.cpp")
  target_compile_definitions(gtest PUBLIC GTEST_HAS_NOTIFICATION_=1)
  target_compile_options(gtest PUBLIC "$<$<COMPILE_LANGUAGE:CXX>:SHELL:-include ${notification}.h>")
endif()
