// Reads the programs of a bank image in the VST bank layout (big-endian, 156-byte header,
// 116-byte programs of 15 values each).
#pragma once

#include <cstddef>

#include "effect/CEffectProgram.h"

constexpr int kFactoryBankResourceId = 200;
constexpr const char* kFactoryBankResourceType = "FXBANK";

// Fills programs 0..n-1 with the bank's names and values, n being the smallest of the bank's
// numPrograms field, `capacity` and the number of whole programs the `size` bytes hold; returns n.
// Only numPrograms, the names and the values are read.
int loadFactoryBank(const unsigned char* bank, size_t size, CEffectProgram* programs, int capacity);
