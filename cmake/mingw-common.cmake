# Cross-compiling for Windows with Debian's MinGW-w64. Included by the per-architecture
# toolchain files, which set MINGW_TRIPLET, MINGW_ARCH (the sysroot's name) and
# MINGW_WINE (the Wine loader that runs their programs) first.
#
# The POSIX-thread compilers are used because the win32-thread ones lack std::thread and
# std::mutex in GCC 12. Every program links its C and C++ runtimes statically so that it
# needs nothing but system DLLs. Programs run through Wine when CMake or CTest execute them.

set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${MINGW_TRIPLET}-windres)
set(CMAKE_AR           ${MINGW_TRIPLET}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB       ${MINGW_TRIPLET}-ranlib CACHE FILEPATH "")

# Doubles are computed in SSE2 registers, as on x86-64, instead of the x87 stack with its
# 80-bit intermediates: the engine then gives the same digits on Windows as natively.
set(CMAKE_C_FLAGS_INIT   "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

# No link time stamp in the programs' headers: the same sources give the same files
# (tools/dist).
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Libraries we build ourselves (libpng) live in a sysroot beside the MinGW one.
# tools/build-libpng-mingw fills it; the environment variable moves it elsewhere.
if(DEFINED ENV{RADIXPAD_MINGW_SYSROOT})
  set(RADIXPAD_MINGW_SYSROOT $ENV{RADIXPAD_MINGW_SYSROOT})
else()
  get_filename_component(RADIXPAD_MINGW_SYSROOT
                         ${CMAKE_CURRENT_LIST_DIR}/../.cache/mingw-${MINGW_ARCH} ABSOLUTE)
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET} ${RADIXPAD_MINGW_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# FindZLIB would prefer the import library (libz.dll.a) and the program would need zlib1.dll.
set(ZLIB_LIBRARY /usr/${MINGW_TRIPLET}/lib/libz.a CACHE FILEPATH "static zlib for MinGW")
set(ZLIB_INCLUDE_DIR /usr/${MINGW_TRIPLET}/include CACHE PATH "zlib headers for MinGW")

# Debian installs the 64-bit loader only under /usr/lib/wine.
find_program(RADIXPAD_WINE NAMES ${MINGW_WINE} PATHS /usr/lib/wine)
if(RADIXPAD_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${RADIXPAD_WINE})
endif()
