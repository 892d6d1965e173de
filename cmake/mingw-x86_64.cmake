# Cross-compiling for 64-bit Windows (x86-64). The same sources as the 32-bit build; it
# exists so that the Windows tests can run under 64-bit Wine on machines whose kernel
# cannot execute 32-bit programs (tools/windows-arch decides).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(MINGW_ARCH x86_64)
set(MINGW_WINE wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
