// One program: a name and one normalised value per parameter.
#pragma once

#include <atomic>

#include "effect/ParameterTable.h"

constexpr int32_t kNumPrograms = 64;
constexpr int kProgramNameLength = 27;  // characters kept, without the terminator
// Hosts reserve 24 bytes for a program name: what goes to them is cut to 23 characters.
constexpr int kHostProgramNameLength = 23;

// A program's value: the host's audio thread (automation) and its GUI thread (the editor) may
// both set parameters at once, so each value is a relaxed atomic that reads like a float.
class ProgramValue {
public:
    ProgramValue(float value = 0.0f) : value_(value) {}  // NOLINT: stands in for a plain float
    ProgramValue(const ProgramValue& other) : value_(static_cast<float>(other)) {}
    ProgramValue& operator=(const ProgramValue& other) { return *this = static_cast<float>(other); }
    ProgramValue& operator=(float value) {
        value_.store(value, std::memory_order_relaxed);
        return *this;
    }
    operator float() const { return value_.load(std::memory_order_relaxed); }

private:
    std::atomic<float> value_;
};

struct CEffectProgram {
    char name[kProgramNameLength + 1] = "Default";
    ProgramValue params[kNumParameters] = {};
};

// Copies at most kProgramNameLength characters of `text` and terminates the name.
void setProgramRecordName(CEffectProgram& program, const char* text);
