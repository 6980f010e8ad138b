#include "effect/ProgramStore.h"

#include <algorithm>
#include <cstring>

ProgramStore::NameLock::NameLock(std::atomic_flag& flag) : flag(flag) {
    while (flag.test_and_set(std::memory_order_acquire)) {
    }
}

ProgramStore::NameLock::~NameLock() { flag.clear(std::memory_order_release); }

ProgramStore::ProgramStore() {
    for (auto& program : values)
        for (auto& value : program) value.store(0.0f, std::memory_order_relaxed);
}

void ProgramStore::setName(int32_t program, const char* text) {
    NameLock lock(namesBusy);
    setProgramRecordName(names[program], text);
}

void ProgramStore::copyName(int32_t program, char* text, size_t length) const {
    NameLock lock(namesBusy);
    const size_t count = std::min(std::strlen(names[program].name), length);
    std::memcpy(text, names[program].name, count);
    text[count] = '\0';
}

void ProgramStore::assign(int32_t program, const CEffectProgram& record) {
    setName(program, record.name);
    for (int32_t index = 0; index < kNumParameters; ++index) setValue(program, index, record.params[index]);
}

CEffectProgram ProgramStore::snapshot(int32_t program) const {
    CEffectProgram record;
    copyName(program, record.name, kProgramNameLength);
    for (int32_t index = 0; index < kNumParameters; ++index) record.params[index] = value(program, index);
    return record;
}

void ProgramStore::copy(int32_t source, int32_t destination) {
    if (source == destination) return;
    {
        NameLock lock(namesBusy);
        std::memcpy(names[destination].name, names[source].name, sizeof names[source].name);
    }
    for (int32_t index = 0; index < kNumParameters; ++index) setValue(destination, index, value(source, index));
}
