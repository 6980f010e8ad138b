// The instruction sets the render loop is built for. Its AVX2 build does exactly the arithmetic of
// the SSE2 build, operation for operation (no fused multiply-add, the same order), so both give
// the same bits; it only needs fewer instructions.
#pragma once

#include <cstdint>

enum class InstructionSet : int32_t { sse2, avx2 };

// The fastest one this processor runs.
InstructionSet fastestInstructionSet();
