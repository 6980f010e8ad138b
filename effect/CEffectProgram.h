// One program: a name and one normalised value per parameter.
#pragma once

#include "effect/ParameterTable.h"

constexpr int32_t kNumPrograms = 64;
constexpr int kProgramNameLength = 27;  // characters kept, without the terminator
// Hosts reserve 24 bytes for a program name: what goes to them is cut to 23 characters.
constexpr int kHostProgramNameLength = 23;

struct CEffectProgram {
    char name[kProgramNameLength + 1] = "Default";
    float params[kNumParameters] = {};
};

// Copies at most kProgramNameLength characters of `text` and terminates the name.
void setProgramRecordName(CEffectProgram& program, const char* text);
