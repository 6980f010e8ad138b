// The 64 programs, shared by the host's control thread (selecting, naming, copying) and its audio
// thread (automation writes into the current program). Every value is an atomic of its own, so a
// reader never sees a value that was not written whole; names are only touched off the audio
// path and are guarded by a spin lock, which the audio thread never takes.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>

#include "effect/CEffectProgram.h"

class ProgramStore {
public:
    ProgramStore();

    float value(int32_t program, int32_t index) const {
        return values[program][index].load(std::memory_order_relaxed);
    }
    void setValue(int32_t program, int32_t index, float value) {
        values[program][index].store(value, std::memory_order_relaxed);
    }

    void setName(int32_t program, const char* text);  // cut to kProgramNameLength characters
    // Copies the name into `text`, cut to `length` characters and terminated.
    void copyName(int32_t program, char* text, size_t length) const;

    void assign(int32_t program, const CEffectProgram& record);
    CEffectProgram snapshot(int32_t program) const;
    // Name and values of `source` onto `destination`, each value as it stands when it is read.
    void copy(int32_t source, int32_t destination);

private:
    class NameLock {
    public:
        explicit NameLock(std::atomic_flag& flag);
        ~NameLock();
        NameLock(const NameLock&) = delete;
        NameLock& operator=(const NameLock&) = delete;

    private:
        std::atomic_flag& flag;
    };

    std::array<std::array<std::atomic<float>, kNumParameters>, kNumPrograms> values;
    std::array<CEffectProgram, kNumPrograms> names;  // only the names of these records are used
    mutable std::atomic_flag namesBusy = ATOMIC_FLAG_INIT;
};
