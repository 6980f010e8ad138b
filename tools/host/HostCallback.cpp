#include "HostCallback.h"

#include <cstring>

namespace host {
namespace {

thread_local HostContext* entryContext = nullptr;

const HostContext& contextOf(const AEffect* effect) {
    static const HostContext defaults;
    // resvd1 is the field the interface reserves for the host's own use.
    if (effect != nullptr && effect->resvd1 != 0) return *reinterpret_cast<const HostContext*>(effect->resvd1);
    if (entryContext != nullptr) return *entryContext;
    return defaults;
}

// Capabilities a VST 2.x host may claim. This one renders files offline through the audio
// callbacks and offers none of them, so it says "no" (-1) to these and "don't know" (0) otherwise.
constexpr const char* kKnownHostCapabilities[] = {
    "sendVstEvents",     "sendVstMidiEvent",  "sendVstTimeInfo",   "receiveVstEvents",
    "receiveVstMidiEvent", "reportConnectionChanges", "acceptIOChanges", "sizeWindow",
    "offline",           "openFileSelector",  "closeFileSelector", "startStopProcess",
    "shellCategory",     "sendVstMidiEventFlagIsRealtime", "supplyIdle", "editFile",
};

intptr_t answerCanDo(const void* ptr) {
    if (ptr == nullptr) return 0;
    const char* capability = static_cast<const char*>(ptr);
    for (const char* known : kKnownHostCapabilities) {
        if (std::strcmp(capability, known) == 0) return -1;
    }
    return 0;
}

}  // namespace

intptr_t VSTCALL hostCallback(AEffect* effect, int32_t opcode, int32_t, intptr_t, void* ptr, float) {
    switch (opcode) {
    case audioMasterVersion:
        return kHostVersion;
    case audioMasterGetSampleRate:
        return static_cast<intptr_t>(contextOf(effect).sampleRate);
    case audioMasterGetBlockSize:
        return contextOf(effect).blockSize;
    case audioMasterCanDo:
        return answerCanDo(ptr);
    default:
        return 0;
    }
}

void attachContext(AEffect& effect, HostContext& context) {
    effect.resvd1 = reinterpret_cast<intptr_t>(&context);
}

EntryPointScope::EntryPointScope(HostContext& context) : previous_(entryContext) {
    entryContext = &context;
}

EntryPointScope::~EntryPointScope() {
    entryContext = previous_;
}

}  // namespace host
