#include "lv2/Lv2Plugin.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "dsp/sample_rate.h"

namespace {

uint32_t bitsOf(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The controls in the order of their parameters' indices, the order a VST host's calls for a
// whole set of values take.
constexpr std::array<uint32_t, kControlPortCount> controlsInParameterOrder() {
    std::array<uint32_t, kControlPortCount> order{};
    uint32_t next = 0;
    for (int32_t parameter = 0; parameter < kNumParameters; ++parameter)
        for (uint32_t control = 0; control < kControlPortCount; ++control)
            if (kControlPorts[control].parameter == parameter) order[next++] = control;
    return order;
}

constexpr std::array<uint32_t, kControlPortCount> kParameterOrder = controlsInParameterOrder();
constexpr uint32_t kAzimuthDepthControl = portOfParameter(kAzimuthDepth) - kFirstControlPort;
constexpr uint32_t kAzimuthWaveformControl = portOfParameter(kAzimuthWaveform) - kFirstControlPort;

}  // namespace

bool Lv2Plugin::acceptsSampleRate(double sampleRate) {
    return std::isfinite(sampleRate) && sampleRate >= kLowestSampleRate && sampleRate <= kHighestSampleRate;
}

Lv2Plugin::Lv2Plugin(double sampleRate) : effect_(nullptr) {
    effect_.setSampleRate(static_cast<float>(sampleRate));
}

void Lv2Plugin::connectPort(uint32_t port, void* data) {
    if (port < kPortCount) ports_[port] = static_cast<float*>(data);
}

void Lv2Plugin::activate() { started_ = false; }

float Lv2Plugin::controlValue(uint32_t control) const {
    const float* port = ports_[kFirstControlPort + control];
    return port ? *port : kParameterTable[kControlPorts[control].parameter].defaultValue;
}

void Lv2Plugin::passControl(uint32_t control, float value) {
    passedBits_[control] = bitsOf(value);
    effect_.setParameter(kControlPorts[control].parameter, value);
}

void Lv2Plugin::settleAzimuthDepth() {
    // The depth's own link stores it as the effective depth even while a ramp is chosen; setting
    // the effective depth runs the link that pins it instead.
    effect_.setParameter(kAzimuthDepthSlider, controlValue(kAzimuthDepthControl));
}

void Lv2Plugin::passAllControls() {
    for (const uint32_t control : kParameterOrder) passControl(control, controlValue(control));
    settleAzimuthDepth();
}

void Lv2Plugin::passChangedControls() {
    bool depthOrWaveformChanged = false;
    for (const uint32_t control : kParameterOrder) {
        const float value = controlValue(control);
        if (bitsOf(value) == passedBits_[control]) continue;
        passControl(control, value);
        depthOrWaveformChanged |= control == kAzimuthDepthControl || control == kAzimuthWaveformControl;
    }
    if (depthOrWaveformChanged) settleAzimuthDepth();
}

void Lv2Plugin::run(uint32_t frames) {
    if (!started_) {
        // The first block after activate starts at the ports' values, with no history.
        passAllControls();
        effect_.restartEngine();
        started_ = true;
    } else {
        passChangedControls();
    }
    render(frames);
}

void Lv2Plugin::render(uint32_t frames) {
    float* inputs[2] = {ports_[kPortInLeft], ports_[kPortInRight]};
    float* outputs[2] = {ports_[kPortOutLeft], ports_[kPortOutRight]};
    if (!inputs[0] || !inputs[1] || !outputs[0] || !outputs[1]) return;
    // The effect counts frames in 32 signed bits.
    constexpr uint32_t kLongestCall = INT32_MAX;
    for (uint32_t done = 0; done < frames;) {
        const uint32_t count = std::min(frames - done, kLongestCall);
        float* in[2] = {inputs[0] + done, inputs[1] + done};
        float* out[2] = {outputs[0] + done, outputs[1] + done};
        effect_.processReplacing(in, out, static_cast<int32_t>(count));
        done += count;
    }
}
