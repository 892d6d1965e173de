# Cross-compiling for 32-bit Windows (i686): the build that ships.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLET i686-w64-mingw32)
set(MINGW_ARCH i686)
set(MINGW_WINE wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
