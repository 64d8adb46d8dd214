# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX-thread
# flavour, for std::thread): scripts/build-windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The programs run with no DLL beside them: the C and C++ runtimes and the
# thread library are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests run under Wine, here and when CTest discovers them.
find_program(VK_WINE NAMES wine64 wine)
if(VK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VK_WINE})
endif()
