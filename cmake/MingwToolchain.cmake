# Shared part of the MinGW-w64 cross toolchains; the including file sets MINGW_CPU (i686, x86_64).
# Tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${MINGW_CPU})
# The win32 thread model: no winpthread DLL for the modules to import.
set(CMAKE_C_COMPILER ${MINGW_CPU}-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER ${MINGW_CPU}-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER ${MINGW_CPU}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_CPU}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
