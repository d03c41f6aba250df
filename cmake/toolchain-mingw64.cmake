# Cross build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake -DQUILLMERE_BUILD_GUI=OFF
# The posix-threads variant is the one whose libstdc++ has std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(quillmere_mingw_triple x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${quillmere_mingw_triple}-gcc-posix ${quillmere_mingw_triple}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${quillmere_mingw_triple}-g++-posix ${quillmere_mingw_triple}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${quillmere_mingw_triple}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${quillmere_mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread linked in, so that the .exe needs only the system's DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test executables (and GoogleTest's test discovery) run under Wine when it is there.
find_program(QUILLMERE_WINE NAMES wine wine64)
if(QUILLMERE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUILLMERE_WINE})
endif()
