# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds for 64-bit Windows with Debian's MinGW-w64 toolchain (packages
# g++-mingw-w64-x86-64 and libz-mingw-w64-dev); scripts/build-windows uses it:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QORVI_MINGW_TRIPLE x86_64-w64-mingw32)

# The POSIX threading flavour: its C++ library has all of <thread> and <mutex>, and
# -static links the winpthread it needs into the program.
find_program(CMAKE_C_COMPILER NAMES ${QORVI_MINGW_TRIPLE}-gcc-posix ${QORVI_MINGW_TRIPLE}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${QORVI_MINGW_TRIPLE}-g++-posix ${QORVI_MINGW_TRIPLE}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${QORVI_MINGW_TRIPLE}-windres)

# Libraries and headers from the MinGW-w64 tree only, never the build machine's.
set(CMAKE_FIND_ROOT_PATH /usr/${QORVI_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One .exe that runs without DLLs beside it: the C and C++ runtimes, winpthread and
# zlib are linked in; what is left are the system's own DLLs. No time stamp in the
# PE header, so that one source gives the same bytes. (ASLR, high-entropy addresses
# and DEP are the linker's defaults.)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")
set(ZLIB_USE_STATIC_LIBS ON)
# A release is optimised as the native build is (-O2; GCC 12 at -O3 warns falsely
# about std::string appends) and carries no symbols.
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "C flags of a release")
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "C++ flags of a release")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE "-s" CACHE STRING "Link flags of a release")

# CLI11 and nlohmann-json are header-only: the build machine's Debian packages
# serve, through the package files in mingw-w64/ (their own would put /usr/include
# on the include path, whose C library headers are not Windows').
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/mingw-w64 CACHE PATH "CLI11 for the Windows build")
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/mingw-w64 CACHE PATH "nlohmann-json for the Windows build")
