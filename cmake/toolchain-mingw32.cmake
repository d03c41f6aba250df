# Cross build for 32-bit Windows (2000 SP4 and later) with Debian's mingw-w64
# (g++-mingw-w64-i686-win32):
#   cmake -S . -B build-windows-i686 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake -DQUILLMERE_BUILD_GUI=OFF
# Its programs need a Wine that runs 32-bit programs to be tested here.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(quillmere_mingw_triple i686-w64-mingw32)
set(quillmere_mingw_subsystem 5.0)  # Windows 2000 is NT 5.0; its loader refuses anything higher
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
