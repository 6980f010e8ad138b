# Flags shared by every target of every build.
#
# -ffp-contract=off: no fused multiply-add, so that the Linux, win32 and win64 modules
# compute bit-identical audio. Never -ffast-math.
add_compile_options(-ffp-contract=off -Wall -Wextra)

if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # x87 arithmetic would round differently from the 64-bit builds. 32-bit hosts built with
    # other compilers call in with a 4-byte aligned stack; an aligned SSE spill would crash.
    add_compile_options(-msse2 -mfpmath=sse -mstackrealign)
  endif()
  # The engine's AVX2 build keeps wide vectors on the stack, which mingw aligns to 16 bytes only;
  # unaligned moves cannot fault there.
  add_compile_options(-Wa,-muse-unaligned-vector-move)
  # The C++ runtime goes into every module and program: only system DLLs are imported.
  add_link_options(-static-libgcc -static-libstdc++ -static)
endif()

set(SPATIALISER_SANITIZE "" CACHE STRING "Sanitizers for the whole build, e.g. address,undefined or thread")
if(SPATIALISER_SANITIZE)
  add_compile_options(-fsanitize=${SPATIALISER_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${SPATIALISER_SANITIZE})
endif()

# Fuzz builds (clang): every library carries libFuzzer's coverage instrumentation; the fuzz
# targets link the fuzzer itself (tests/fuzz).
option(SPATIALISER_FUZZ "Build the libFuzzer targets" OFF)
if(SPATIALISER_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
