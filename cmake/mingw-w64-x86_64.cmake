# Cross-compiles the Windows program on Linux with mingw-w64 (Debian: g++-mingw-w64-x86-64):
#   cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triple x86_64-w64-mingw32)
# The win32 thread model needs no threading DLL at run time; the program has one thread.
find_program(mingw_cxx NAMES ${mingw_triple}-g++-win32 ${mingw_triple}-g++ REQUIRED)
find_program(mingw_cc NAMES ${mingw_triple}-gcc-win32 ${mingw_triple}-gcc REQUIRED)
find_program(mingw_windres NAMES ${mingw_triple}-windres REQUIRED)
set(CMAKE_C_COMPILER ${mingw_cc})
set(CMAKE_CXX_COMPILER ${mingw_cxx})
set(CMAKE_RC_COMPILER ${mingw_windres})

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's own runtime goes into the program, which then needs only the DLLs every
# Windows system has.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
