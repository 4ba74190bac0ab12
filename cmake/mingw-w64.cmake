# Cross-compiling the Windows programs on Debian with mingw-w64, the posix
# thread model, so that std::thread and std::jthread work as on Linux.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=$PWD/cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program carries its own C++ runtime, so it needs no DLL beyond the
# system's. Each function and table in a section of its own lets the linker
# leave out those that nothing reaches.
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--gc-sections")
# What a player downloads carries no symbols: they would double its size.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
