#include "tests/support/RecordingHost.h"

namespace {

RecordingHost* activeHost = nullptr;

intptr_t VSTCALL recordingHostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                       float opt) {
    if (!activeHost) return 0;
    std::string text;
    if (opcode == audioMasterCanDo && ptr) text = static_cast<const char*>(ptr);
    activeHost->calls.push_back(HostCall{effect, opcode, index, value, ptr, opt, text});
    if (activeHost->onCall) {
        const HostCall call = activeHost->calls.back();  // the hook may make further calls
        activeHost->onCall(call);
    }
    const auto answer = activeHost->answers.find(opcode);
    return answer != activeHost->answers.end() ? answer->second : 0;
}

}  // namespace

RecordingHost::RecordingHost() : answers{{audioMasterVersion, 2400}} { activeHost = this; }

RecordingHost::~RecordingHost() {
    if (activeHost == this) activeHost = nullptr;
}

HostCallback RecordingHost::callback() const { return recordingHostCallback; }

std::vector<HostCall> RecordingHost::callsWith(int32_t opcode) const {
    std::vector<HostCall> matching;
    for (const HostCall& call : calls) {
        if (call.opcode == opcode) matching.push_back(call);
    }
    return matching;
}
