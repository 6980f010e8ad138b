// A host callback that records every call a plug-in makes into it and answers each opcode with a
// value the test chooses (audioMasterVersion 2400 unless told otherwise, everything else 0).
// A callback carries no context, so one RecordingHost at a time is the active one.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "shell/vst2.h"

struct HostCall {
    AEffect* effect;
    int32_t opcode;
    int32_t index;
    intptr_t value;
    void* ptr;
    float opt;
    std::string text;  // for audioMasterCanDo: the question, copied while it is valid
};

class RecordingHost {
public:
    RecordingHost();
    ~RecordingHost();

    HostCallback callback() const;

    // The calls received with this opcode, in order.
    std::vector<HostCall> callsWith(int32_t opcode) const;

    std::vector<HostCall> calls;
    std::map<int32_t, intptr_t> answers;
    // Runs inside the callback after the call is recorded: a host acting from inside a call.
    std::function<void(const HostCall&)> onCall;

private:
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;
};
