#include "Lv2TestHost.h"

#include <gtest/gtest.h>

#include <cmath>

#include "effect/CEffect.h"
#include "lv2/Lv2Descriptor.h"
#include "lv2/Lv2Plugin.h"

uint32_t controlIndex(const std::string& symbol) {
    for (uint32_t i = 0; i < kControlPortCount; ++i)
        if (symbol == kControlPorts[i].symbol) return i;
    ADD_FAILURE() << "no control port " << symbol;
    return 0;
}

Controls controlsWith(const ControlChanges& changes) {
    Controls controls{};
    for (uint32_t i = 0; i < kControlPortCount; ++i) controls[i] = kParameterTable[kControlPorts[i].parameter].defaultValue;
    for (const auto& [symbol, value] : changes) controls[controlIndex(symbol)] = value;
    return controls;
}

StereoAudio testSignal(size_t frames) {
    StereoAudio audio{std::vector<float>(frames), std::vector<float>(frames)};
    uint32_t noise = 12345;
    for (size_t n = 0; n < frames; ++n) {
        noise = noise * 1664525u + 1013904223u;
        const float white = static_cast<float>(noise >> 8) / 16777216.0f - 0.5f;
        const float t = static_cast<float>(n);
        audio.left[n] = 0.4f * std::sin(t * 0.031f) * std::sin(t * 0.0007f) + 0.1f * white;
        audio.right[n] = 0.3f * std::sin(t * 0.11f + 1.0f) - 0.15f * white;
    }
    return audio;
}

Lv2Instance::Lv2Instance(double sampleRate) {
    const LV2_Descriptor* descriptor = spatialiserDescriptor();
    const LV2_Feature* const noFeatures[] = {nullptr};
    handle = descriptor->instantiate(descriptor, sampleRate, "/nowhere/", noFeatures);
    if (!handle) ADD_FAILURE() << "the plug-in refused " << sampleRate << " Hz";
}

Lv2Instance::~Lv2Instance() {
    if (handle) spatialiserDescriptor()->cleanup(handle);
}

void Lv2Instance::connectControls() {
    for (uint32_t i = 0; i < kControlPortCount; ++i) connect(kFirstControlPort + i, &controls[i]);
}

void Lv2Instance::connect(uint32_t port, void* data) {
    if (handle) spatialiserDescriptor()->connect_port(handle, port, data);
}

void Lv2Instance::activate() {
    if (handle) spatialiserDescriptor()->activate(handle);
}

void Lv2Instance::deactivate() {
    if (handle) spatialiserDescriptor()->deactivate(handle);
}

void Lv2Instance::run(uint32_t frames) {
    if (handle) spatialiserDescriptor()->run(handle, frames);
}

const SpatialiserState& Lv2Instance::engine() const {
    return *static_cast<const Lv2Plugin*>(handle)->effect().engine();
}

StereoAudio renderLv2(double sampleRate, const Controls& controls, const StereoAudio& input, size_t blockSize) {
    Lv2Instance instance(sampleRate);
    instance.controls = controls;
    instance.connectControls();
    instance.activate();
    return renderLv2(instance, input, blockSize, [](size_t) {});
}

StereoAudio renderVst(double sampleRate, const Controls& controls, const StereoAudio& input, size_t blockSize) {
    CEffect effect(nullptr);
    for (int32_t parameter = 0; parameter < kNumParameters; ++parameter) {
        const int32_t port = portOfParameter(parameter);
        if (port >= 0) effect.setParameter(parameter, controls[port - kFirstControlPort]);
    }
    effect.setSampleRate(static_cast<float>(sampleRate));
    effect.setBlockSize(static_cast<int32_t>(blockSize));
    effect.resume();
    StereoAudio output{std::vector<float>(input.frames()), std::vector<float>(input.frames())};
    for (size_t start = 0; start < input.frames(); start += blockSize) {
        const auto count = static_cast<int32_t>(std::min(blockSize, input.frames() - start));
        float* in[2] = {const_cast<float*>(input.left.data()) + start, const_cast<float*>(input.right.data()) + start};
        float* out[2] = {output.left.data() + start, output.right.data() + start};
        effect.processReplacing(in, out, count);
    }
    return output;
}
