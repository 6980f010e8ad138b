// The host the validator plays: it loads a module, creates instances through its entry point and
// answers their callbacks, counting every call. One validation group runs per process, so the
// record of calls is one for the process.
#pragma once

#include "GroupChannel.h"
#include "vst2.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace host {

// A failed check; the message says what was expected and what happened.
class CheckFailed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

constexpr float kValidationSampleRate = 44100.0f;
constexpr int32_t kValidationBlockSize = 512;

struct HostAnswers {
    std::atomic<intptr_t> version{2400};
    std::atomic<float> sampleRate{kValidationSampleRate};
    std::atomic<int32_t> blockSize{kValidationBlockSize};
    std::atomic<long> calls[64] = {};  // by host opcode; higher opcodes count in the last slot
    long totalCalls() const;
    void forgetCalls();
};

HostAnswers& hostAnswers();

// The shared library; unloaded by the destructor.
class ModuleLibrary {
public:
    explicit ModuleLibrary(const std::string& path);  // throws CheckFailed
    ~ModuleLibrary();
    ModuleLibrary(const ModuleLibrary&) = delete;
    ModuleLibrary& operator=(const ModuleLibrary&) = delete;

    // Calls the entry point; may answer null.
    AEffect* callEntry();

private:
    void* handle_ = nullptr;
    AEffect* (*entry_)(HostCallback) = nullptr;
};

// Throws CheckFailed when the record is not a usable effect record.
void checkRecord(const AEffect& effect);

// An opened instance, told the validator's rate and block size and resumed, in the order hosts
// use (left suspended when `resumed` is false, for a state a host gives before it resumes); the
// destructor suspends and closes it.
class Instance {
public:
    explicit Instance(ModuleLibrary& library, float sampleRate = kValidationSampleRate,
                      int32_t blockSize = kValidationBlockSize, bool resumed = true);
    ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    AEffect& effect() { return *effect_; }
    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f) {
        return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
    }
    void setParameter(int32_t index, float value) { effect_->setParameter(effect_, index, value); }
    float getParameter(int32_t index) { return effect_->getParameter(effect_, index); }
    // Tells the instance a new rate and block size between a suspend and a resume.
    void restart(float sampleRate, int32_t blockSize);
    void suspend();
    void resume();
    int32_t blockSize() const { return blockSize_; }  // the most frames a render call may pass

private:
    AEffect* effect_ = nullptr;
    int32_t blockSize_ = 0;
    bool resumed_ = false;
};

}  // namespace host
