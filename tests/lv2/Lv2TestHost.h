// A host for the tests that drives the plug-in through its LV2 descriptor, as a real host does,
// and the same effect driven as a VST host drives it, for comparison.
#pragma once

#include <lv2/core/lv2.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "lv2/PortTable.h"

struct SpatialiserState;

using Controls = std::array<float, kControlPortCount>;
using ControlChanges = std::map<std::string, float>;  // by port symbol

// The defaults of lv2/PortTable.h, with `changes` applied.
Controls controlsWith(const ControlChanges& changes);
uint32_t controlIndex(const std::string& symbol);

struct StereoAudio {
    std::vector<float> left, right;
    size_t frames() const { return left.size(); }
};

// Two different broadband signals, one per channel, the same for every call.
StereoAudio testSignal(size_t frames);

class Lv2Instance {
public:
    explicit Lv2Instance(double sampleRate);  // fails the test when the plug-in refuses the rate
    ~Lv2Instance();
    Lv2Instance(const Lv2Instance&) = delete;
    Lv2Instance& operator=(const Lv2Instance&) = delete;

    // Every control port to `controls`.
    void connectControls();
    void connect(uint32_t port, void* data);
    void activate();
    void deactivate();
    void run(uint32_t frames);
    // The engine's state behind the instance.
    const SpatialiserState& engine() const;

    Controls controls{};

private:
    LV2_Handle handle = nullptr;
};

// Renders `input` through the plug-in in blocks of `blockSize`, separate buffers for every port.
// `before(block)` may change the controls ahead of each block.
template <typename BeforeBlock>
StereoAudio renderLv2(Lv2Instance& instance, const StereoAudio& input, size_t blockSize, BeforeBlock before);
StereoAudio renderLv2(double sampleRate, const Controls& controls, const StereoAudio& input, size_t blockSize);

// The same through the effect as a VST host sets it up: every value with setParameter in index
// order, then the sample rate, then blocks of processReplacing.
StereoAudio renderVst(double sampleRate, const Controls& controls, const StereoAudio& input, size_t blockSize);

#include "Lv2TestHost.inl"
