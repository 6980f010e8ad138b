// The program store: selection, names, copies and the factory bank.
#include <cstring>

#include "effect/CEffect.h"
#include "effect/FactoryBank.h"
#include "platform/platform.h"

void CEffect::loadFactoryBankResource() {
    platform::ResourceData resource{};
    if (!platform::findResource(kFactoryBankResourceType, kFactoryBankResourceId, resource) || !resource.data) return;
    loadFactoryBank(static_cast<const unsigned char*>(resource.data), resource.size, programs.data(), kNumPrograms);
}

// Each value is read from the store at the moment of its own call: a link of an earlier index
// may have rewritten it, and is then replayed as rewritten.
void CEffect::setProgram(int32_t program) {
    if (program < 0 || program >= kNumPrograms) return;
    curProgram = program;
    for (int32_t index = 0; index < kNumParameters; ++index) setParameter(index, programs[program].params[index]);
}

void CEffect::setProgramName(char* name) {
    if (name) setProgramRecordName(currentProgram(), name);
}

void CEffect::getProgramName(char* name) {
    if (name) std::strcpy(name, currentProgram().name);
}

bool CEffect::getProgramNameIndexed(int32_t, int32_t index, char* text) {
    if (index < 0 || index >= kNumPrograms || !text) return false;
    std::strcpy(text, programs[index].name);
    return true;
}

bool CEffect::copyProgram(int32_t destination) {
    if (destination < 0 || destination >= kNumPrograms) return false;
    programs[destination] = currentProgram();
    return true;
}
