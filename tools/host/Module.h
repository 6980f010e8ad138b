// One instance of a VST 2.x module, loaded from a shared library.
#pragma once

#include "HostCallback.h"
#include "vst2.h"

#include <cstdint>
#include <string>

namespace host {

// Loads the library, calls its entry point (VSTPluginMain, then main) and opens the instance.
// The destructor closes the instance (effClose) and unloads the library. Failures throw HostError.
class Module {
public:
    explicit Module(const std::string& path);
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    AEffect& effect() { return *effect_; }
    HostContext& context() { return context_; }
    const std::string& path() const { return path_; }

    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f);

    // Tells the instance the rate and the largest block the host will send, and answers the same
    // when the module asks back.
    void setSampleRateAndBlockSize(float sampleRate, int32_t blockSize);

private:
    std::string path_;
    void* library_ = nullptr;
    AEffect* effect_ = nullptr;
    HostContext context_;
};

}  // namespace host
