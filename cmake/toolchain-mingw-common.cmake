# What both Windows cross builds share; included by toolchain-mingw64.cmake (x86_64) and
# toolchain-mingw32.cmake (i686) once they have set:
#   quillmere_mingw_triple     e.g. x86_64-w64-mingw32
#   quillmere_mingw_subsystem  the PE subsystem version written into every .exe, MAJOR.MINOR
#
# The "win32" thread model compilers, because the "posix" ones link winpthreads, which imports
# kernel32's GetTickCount64: Windows XP lacks it and refuses to start the program. Their
# libstdc++ (GCC 12) has no std::thread, std::mutex or std::condition_variable.
set(CMAKE_SYSTEM_NAME Windows)

find_program(CMAKE_C_COMPILER NAMES ${quillmere_mingw_triple}-gcc-win32 REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${quillmere_mingw_triple}-g++-win32 REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${quillmere_mingw_triple}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${quillmere_mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc and libstdc++ linked in, so that the .exe needs only the system's DLLs. The subsystem
# version is what the loader of Windows 2000 and XP checks (it refuses anything above its own NT
# version); GNU ld's
# default is 4.0 for i686 and 5.2 for x86_64.
string(REPLACE "." ";" quillmere_mingw_subsystem_parts "${quillmere_mingw_subsystem}")
list(GET quillmere_mingw_subsystem_parts 0 quillmere_mingw_subsystem_major)
list(GET quillmere_mingw_subsystem_parts 1 quillmere_mingw_subsystem_minor)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--major-subsystem-version,${quillmere_mingw_subsystem_major},--minor-subsystem-version,${quillmere_mingw_subsystem_minor}")

# Test executables (and GoogleTest's test discovery) run under Wine when it is there.
find_program(QUILLMERE_WINE NAMES wine wine64)
if(QUILLMERE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUILLMERE_WINE})
endif()
