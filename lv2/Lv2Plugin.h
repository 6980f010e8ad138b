// One instance of the LV2 plug-in: the effect behind the ports of lv2/PortTable.h. The host's
// port buffers are read at the start of every run; a changed control reaches the effect as a
// VST host's setParameter call would, before the block is rendered.
#pragma once

#include <array>
#include <cstdint>

#include "effect/CEffect.h"
#include "lv2/PortTable.h"

class Lv2Plugin {
public:
    // A rate the engine does not support gives no instance (see acceptsSampleRate).
    static bool acceptsSampleRate(double sampleRate);
    explicit Lv2Plugin(double sampleRate);

    void connectPort(uint32_t port, void* data);
    void activate();
    void run(uint32_t frames);

    // The effect as the ports have set it, for tests.
    const CEffect& effect() const { return effect_; }

private:
    // The value a control port holds; an unconnected one holds its default.
    float controlValue(uint32_t control) const;
    void passChangedControls();
    void passAllControls();
    void passControl(uint32_t control, float value);
    // While a ramp waveform is chosen the effective depth is 1, otherwise the depth port's value.
    void settleAzimuthDepth();
    void render(uint32_t frames);

    CEffect effect_;
    std::array<float*, kPortCount> ports_{};
    std::array<uint32_t, kControlPortCount> passedBits_{};  // each control as the effect last took it
    bool started_ = false;  // false until the first run after activate
};
