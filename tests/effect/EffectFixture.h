// An effect created with a recording host, as `main` creates it, and short forms for reading
// what the host was told.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "effect/CEffect.h"
#include "tests/support/RecordingHost.h"

struct Automation {
    int32_t index;
    float value;
    bool operator==(const Automation& other) const { return index == other.index && value == other.value; }
};

inline std::ostream& operator<<(std::ostream& out, const Automation& automation) {
    return out << "{" << automation.index << ", " << automation.value << "}";
}

class EffectTest : public ::testing::Test {
protected:
    // The audioMasterAutomate calls received since the last forgetHostCalls.
    std::vector<Automation> automations() const {
        std::vector<Automation> result;
        for (const HostCall& call : host.callsWith(audioMasterAutomate)) result.push_back({call.index, call.opt});
        return result;
    }
    void forgetHostCalls() { host.calls.clear(); }

    // An audio block of no samples: runs a pending engine update and renders nothing.
    void runEmptyBlock() {
        float silence[1] = {};
        float* buffers[2] = {silence, silence};
        effect->processReplacing(buffers, buffers, 0);
    }

    RecordingHost host;
    std::unique_ptr<CEffect> effect = std::make_unique<CEffect>(host.callback());
};
