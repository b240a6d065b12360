# Cross-compiling for 64-bit Windows with the MinGW-w64 compilers of the Debian archive, in
# their win32 threading flavour: nothing here uses threads, so no libwinpthread DLL is needed.
# TARVEX_WINDOWS_PREFIX (a cache entry) is where the static freeglut was installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TARVEX_MINGW_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${TARVEX_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TARVEX_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${TARVEX_MINGW_TRIPLE}-windres)

# Headers and libraries come only from the MinGW root and the freeglut prefix, never from
# the build machine's own /usr; programs (the compilers) do come from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${TARVEX_MINGW_TRIPLE} ${TARVEX_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
