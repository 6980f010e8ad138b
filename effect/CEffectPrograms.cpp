// The program store: selection, names and copies.
#include "effect/CEffect.h"

// Each value is read from the store at the moment of its own call: a link of an earlier index
// may have rewritten it, and is then replayed as rewritten.
void CEffect::setProgram(int32_t program) {
    if (program < 0 || program >= kNumPrograms) return;
    curProgram = program;
    selectedProgram.store(program, std::memory_order_relaxed);
    for (int32_t index = 0; index < kNumParameters; ++index) setParameter(index, programs.value(program, index));
}

int32_t CEffect::getProgram() { return selectedProgram.load(std::memory_order_relaxed); }

void CEffect::setProgramName(char* name) {
    if (name) programs.setName(getProgram(), name);
}

// The store keeps 27 characters; a host's buffer holds 23 and the terminator.
void CEffect::getProgramName(char* name) {
    if (name) programs.copyName(getProgram(), name, kHostProgramNameLength);
}

bool CEffect::getProgramNameIndexed(int32_t, int32_t index, char* text) {
    if (index < 0 || index >= kNumPrograms || !text) return false;
    programs.copyName(index, text, kHostProgramNameLength);
    return true;
}

bool CEffect::copyProgram(int32_t destination) {
    if (destination < 0 || destination >= kNumPrograms) return false;
    programs.copy(getProgram(), destination);
    return true;
}
