// The host side of the callback every VST 2.x module is given by its entry point.
#pragma once

#include "vst2.h"

#include <cstdint>

namespace host {

// What this host tells a module about itself when asked.
struct HostContext {
    float sampleRate = 44100.0f;
    int32_t blockSize = 512;
};

constexpr intptr_t kHostVersion = 2400;

// Answers audioMasterVersion, the sample rate, the block size and capability questions; 0 to the rest.
intptr_t VSTCALL hostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                              float opt);

// Makes `context` answer the callbacks of `effect` from now on.
void attachContext(AEffect& effect, HostContext& context);

// While an entry point runs the module may call back before it has a record to pass (or before the
// record is attached); such calls are answered from the context of this scope.
class EntryPointScope {
public:
    explicit EntryPointScope(HostContext& context);
    ~EntryPointScope();
    EntryPointScope(const EntryPointScope&) = delete;
    EntryPointScope& operator=(const EntryPointScope&) = delete;

private:
    HostContext* previous_;
};

}  // namespace host
