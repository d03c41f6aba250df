# Cross build for 64-bit Windows (XP x64 and later) with Debian's mingw-w64
# (g++-mingw-w64-x86-64-win32):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake -DQUILLMERE_BUILD_GUI=OFF
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(quillmere_mingw_triple x86_64-w64-mingw32)
set(quillmere_mingw_subsystem 5.2)  # Windows XP x64 is NT 5.2
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
