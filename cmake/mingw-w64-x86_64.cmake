# 64-bit Windows programs built on Debian with MinGW-w64 (package
# g++-mingw-w64-x86-64-posix). The posix flavour of the compiler, because the
# win32 one has no std::thread.
#
#   cmake --preset windows     (or -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(offset_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${offset_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${offset_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${offset_mingw}-windres)

# Libraries and headers for the target come from the MinGW tree only; the
# build machine's own stay out, except where a project asks for them by
# NO_CMAKE_FIND_ROOT_PATH (the core's header-only libraries).
set(CMAKE_FIND_ROOT_PATH /usr/${offset_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ runtime, libgcc and winpthread linked in: a program is one .exe
# that imports only Windows' own DLLs, and runs where it is copied.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# What ships is stripped: the symbols would more than double each program.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
