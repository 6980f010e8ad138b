#include "effect/CEffectProgram.h"

#include <cstring>

void setProgramRecordName(CEffectProgram& program, const char* text) {
    std::strncpy(program.name, text, kProgramNameLength);
    program.name[kProgramNameLength] = '\0';
}
