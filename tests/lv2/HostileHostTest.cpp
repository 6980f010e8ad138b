// What hosts do to a plug-in: refused rates, absurd control values, odd block sizes, shared
// buffers, ports connected late or never, and activation in any order.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "Lv2TestHost.h"
#include "effect/CEffect.h"
#include "lv2/Lv2Descriptor.h"

namespace {

bool allFinite(const StereoAudio& audio) {
    for (size_t n = 0; n < audio.frames(); ++n)
        if (!std::isfinite(audio.left[n]) || !std::isfinite(audio.right[n])) return false;
    return true;
}

bool sameBits(const StereoAudio& a, const StereoAudio& b) {
    return a.frames() == b.frames() && std::memcmp(a.left.data(), b.left.data(), a.frames() * sizeof(float)) == 0 &&
           std::memcmp(a.right.data(), b.right.data(), a.frames() * sizeof(float)) == 0;
}

TEST(Lv2HostileHost, InstantiatesAtEveryRateTheEngineSupportsAndRefusesTheRest) {
    const LV2_Descriptor* descriptor = spatialiserDescriptor();
    const LV2_Feature* const noFeatures[] = {nullptr};
    for (const double rate : {1000.0, 22050.0, 44100.0, 192000.0, 384000.0}) {
        LV2_Handle handle = descriptor->instantiate(descriptor, rate, "/nowhere/", noFeatures);
        EXPECT_NE(handle, nullptr) << rate;
        if (handle) descriptor->cleanup(handle);
    }
    for (const double rate : {0.0, -44100.0, 999.0, 384001.0, 1e30, std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity()})
        EXPECT_EQ(descriptor->instantiate(descriptor, rate, "/nowhere/", noFeatures), nullptr) << rate;
    EXPECT_EQ(descriptor->extension_data("http://lv2plug.in/ns/ext/state#interface"), nullptr);
}

TEST(Lv2HostileHost, AbsurdValuesOnEveryControlGiveFiniteOutputAtBlocksOfZeroOneAnd8192) {
    const StereoAudio input = testSignal(8192 + 1 + 300);
    const float absurd[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(), 1e30f, -1e30f};
    for (uint32_t control = 0; control < kControlPortCount; ++control) {
        for (const float value : absurd) {
            Lv2Instance instance(48000.0);
            instance.controls = controlsWith({{"az_speed", 0.7f}, {"el_depth", 0.5f}, {"quality", 1.0f}});
            instance.controls[control] = value;
            instance.connectControls();
            instance.activate();
            const size_t blocks[] = {0, 1, 8192, 300};
            const StereoAudio output = renderLv2(instance, input, 8192, [&](size_t) {});
            EXPECT_TRUE(allFinite(output)) << kControlPorts[control].symbol << " = " << value;
            // Every size in one instance, the absurd value set only after the first block.
            Lv2Instance changed(48000.0);
            changed.controls = controlsWith({});
            changed.connectControls();
            changed.activate();
            StereoAudio out{std::vector<float>(8192), std::vector<float>(8192)};
            StereoAudio in = testSignal(8192);
            changed.connect(kPortInLeft, in.left.data());
            changed.connect(kPortInRight, in.right.data());
            changed.connect(kPortOutLeft, out.left.data());
            changed.connect(kPortOutRight, out.right.data());
            for (const size_t frames : blocks) {
                changed.run(static_cast<uint32_t>(frames));
                changed.controls[control] = value;
            }
            EXPECT_TRUE(allFinite(out)) << kControlPorts[control].symbol << " = " << value << " after a start";
        }
    }
}

TEST(Lv2HostileHost, InPlaceBuffersGiveWhatSeparateOnesGive) {
    const StereoAudio input = testSignal(2000);
    const Controls controls = controlsWith({{"azimuth", 0.3f}, {"quality", 1.0f}});
    const StereoAudio separate = renderLv2(48000.0, controls, input, 500);
    for (const bool crossed : {false, true}) {
        Lv2Instance instance(48000.0);
        instance.controls = controls;
        instance.connectControls();
        instance.activate();
        StereoAudio buffers = input;
        for (size_t start = 0; start < input.frames(); start += 500) {
            float* left = buffers.left.data() + start;
            float* right = buffers.right.data() + start;
            instance.connect(kPortInLeft, left);
            instance.connect(kPortInRight, right);
            instance.connect(kPortOutLeft, crossed ? right : left);
            instance.connect(kPortOutRight, crossed ? left : right);
            instance.run(500);
        }
        if (crossed) std::swap(buffers.left, buffers.right);
        EXPECT_TRUE(sameBits(buffers, separate)) << (crossed ? "inputs on the other outputs" : "in place");
    }
}

TEST(Lv2HostileHost, UnconnectedControlsHoldTheirDefaultsAndLateAudioPortsAreWaitedFor) {
    const StereoAudio input = testSignal(1024);
    const StereoAudio defaults = renderLv2(44100.0, controlsWith({}), input, 256);
    Lv2Instance instance(44100.0);
    instance.activate();
    float scratch[8] = {};
    instance.connect(kPortInLeft, scratch);
    instance.run(8);  // the other audio ports are not connected yet: nothing is written
    for (const float sample : scratch) EXPECT_EQ(sample, 0.0f);
    instance.connect(kPortInLeft, nullptr);
    instance.connect(kPortCount, scratch);  // not a port: ignored
    instance.activate();
    EXPECT_TRUE(sameBits(renderLv2(instance, input, 256, [](size_t) {}), defaults));
}

// Activate starts afresh: a second activation after audio sounds like a new instance, and
// connect_port may come before or after it.
TEST(Lv2HostileHost, EveryActivationStartsAfreshInWhateverOrderPortsAreConnected) {
    const StereoAudio input = testSignal(3000);
    const Controls controls = controlsWith({{"reflections", 1.0f}, {"az_speed", 0.4f}, {"az_depth", 0.5f}});
    const StereoAudio fresh = renderLv2(48000.0, controls, input, 1000);
    Lv2Instance instance(48000.0);
    instance.activate();
    instance.controls = controlsWith({{"azimuth", 0.9f}});
    instance.connectControls();
    renderLv2(instance, input, 700, [](size_t) {});
    instance.deactivate();
    instance.controls = controls;
    instance.activate();
    EXPECT_TRUE(sameBits(renderLv2(instance, input, 1000, [](size_t) {}), fresh));
    instance.deactivate();
    instance.deactivate();
    instance.activate();
    instance.activate();
    EXPECT_TRUE(sameBits(renderLv2(instance, input, 1000, [](size_t) {}), fresh));
}

// The ports' defaults in the Turtle come from the parameter table; they must be what the VST
// module holds once it is made, or the two formats would start from different settings.
TEST(Lv2Ports, DefaultsAreTheValuesTheEffectHoldsAfterConstruction) {
    CEffect effect(nullptr);
    for (const ControlPort& port : kControlPorts)
        EXPECT_EQ(effect.getParameter(port.parameter), kParameterTable[port.parameter].defaultValue) << port.symbol;
}

}  // namespace
