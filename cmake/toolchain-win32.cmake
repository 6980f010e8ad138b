# 32-bit Windows cross build with MinGW-w64.
set(MINGW_CPU i686)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
