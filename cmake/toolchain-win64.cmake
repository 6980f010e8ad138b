# 64-bit Windows cross build with MinGW-w64.
set(MINGW_CPU x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
