// The LV2 plug-in sounds as the VST module does with the same settings: the same bits at any
// block size, with changes landing at the start of a block, and the azimuth depth linked as the
// editor links it.
#include <gtest/gtest.h>

#include <cstring>

#include "Lv2TestHost.h"
#include "dsp/spatialiser_state.h"
#include "effect/CEffect.h"

namespace {

struct Case {
    const char* name;
    ControlChanges changes;
};

const Case kCases[] = {
    {"defaults", {}},
    {"modulation", {{"az_depth", 0.7f}, {"az_speed", 0.5f}, {"el_depth", 0.6f}, {"el_speed", 0.4f}}},
    {"absorb", {{"reflections", 0.0f}}},
    {"absorb, high quality", {{"reflections", 0.0f}, {"quality", 1.0f}}},
    {"normal, high quality", {{"reflections", 1.0f / 3.0f}, {"quality", 1.0f}}},
    {"reflect", {{"reflections", 2.0f / 3.0f}}},
    {"reflect, high quality", {{"reflections", 2.0f / 3.0f}, {"quality", 1.0f}}},
    {"sustain", {{"reflections", 1.0f}}},
    {"sustain, high quality", {{"reflections", 1.0f}, {"quality", 1.0f}}},
    {"ramp with a depth", {{"az_waveform", 1.0f}, {"az_depth", 0.3f}, {"az_speed", 0.3f}}},
    {"inverted ramp", {{"az_waveform", 0.5f}, {"az_speed", 0.8f}}},
    {"placed, narrow", {{"azimuth", 0.2f}, {"distance", 0.9f}, {"elevation", 0.7f}, {"stereo_field", 0.0f}}},
};

// At 44.1 kHz, quality 0 with the absorb pattern is what the VST module's engine was first
// updated with while it was made, so setting the rate does not restart it there and it glides
// in from hard left (see StartsAtThePortsValues); the plug-in does not.
bool vstStartsAtItsSettings(double rate, const Controls& controls) {
    return rate != 44100.0 || controls[controlIndex("quality")] != 0.0f || controls[controlIndex("reflections")] != 0.0f;
}

bool sameBits(const StereoAudio& a, const StereoAudio& b) {
    return a.frames() == b.frames() && std::memcmp(a.left.data(), b.left.data(), a.frames() * sizeof(float)) == 0 &&
           std::memcmp(a.right.data(), b.right.data(), a.frames() * sizeof(float)) == 0;
}

TEST(Lv2Equivalence, GivesTheVstModulesBitsForEverySettingAtAnyBlockSize) {
    const StereoAudio input = testSignal(12000);
    for (const double rate : {44100.0, 48000.0}) {
        for (const Case& test : kCases) {
            const Controls controls = controlsWith(test.changes);
            if (!vstStartsAtItsSettings(rate, controls)) continue;
            const StereoAudio vst = renderVst(rate, controls, input, 512);
            for (const size_t block : {size_t{1}, size_t{64}, size_t{512}, size_t{4096}})
                EXPECT_TRUE(sameBits(renderLv2(rate, controls, input, block), vst))
                    << test.name << " at " << rate << " Hz, blocks of " << block;
        }
    }
}

TEST(Lv2Equivalence, AChangedPortLandsAtTheStartOfTheNextBlockAsSetParameterWould) {
    const StereoAudio input = testSignal(4096);
    const Controls controls = controlsWith({{"reflections", 1.0f}});
    Lv2Instance instance(48000.0);
    instance.controls = controls;
    instance.connectControls();
    instance.activate();
    const StereoAudio lv2 = renderLv2(instance, input, 1024, [&instance](size_t block) {
        if (block == 2) {
            instance.controls[controlIndex("azimuth")] = 0.8f;
            instance.controls[controlIndex("quality")] = 1.0f;
        }
    });

    CEffect effect(nullptr);
    for (int32_t parameter = 0; parameter < kNumParameters; ++parameter)
        if (portOfParameter(parameter) >= 0) effect.setParameter(parameter, controls[portOfParameter(parameter) - kFirstControlPort]);
    effect.setSampleRate(48000.0f);
    StereoAudio vst{std::vector<float>(input.frames()), std::vector<float>(input.frames())};
    for (size_t start = 0; start < input.frames(); start += 1024) {
        if (start == 2048) {
            effect.setParameter(kAzimuthSlider, 0.8f);
            effect.setParameter(kQuality, 1.0f);
        }
        float* in[2] = {const_cast<float*>(input.left.data()) + start, const_cast<float*>(input.right.data()) + start};
        float* out[2] = {vst.left.data() + start, vst.right.data() + start};
        effect.processReplacing(in, out, 1024);
    }
    EXPECT_TRUE(sameBits(lv2, vst));
}

// The audio ports of an instance that runs one frame at a time.
void connectOneFrame(Lv2Instance& instance, float (&in)[2], float (&out)[2]) {
    instance.connect(kPortInLeft, &in[0]);
    instance.connect(kPortInRight, &in[1]);
    instance.connect(kPortOutLeft, &out[0]);
    instance.connect(kPortOutRight, &out[1]);
}

// The engine's azimuth after the first sample: the glide starts where the ports put the source.
TEST(Lv2Equivalence, StartsAtThePortsValuesWithoutAGlideAtEveryRateAndPattern) {
    float in[2] = {0.5f, -0.5f}, out[2] = {};
    for (const double rate : {44100.0, 48000.0, 96000.0}) {
        for (const float quality : {0.0f, 1.0f}) {
            for (const float pattern : {0.0f, 1.0f / 3.0f, 1.0f}) {
                Lv2Instance instance(rate);
                instance.controls = controlsWith({{"azimuth", 0.25f}, {"quality", quality}, {"reflections", pattern}});
                instance.connectControls();
                connectOneFrame(instance, in, out);
                instance.activate();
                instance.run(1);
                EXPECT_FLOAT_EQ(instance.engine().azimuthCurrent, -0.5f)
                    << rate << " Hz, quality " << quality << ", pattern " << pattern;
            }
        }
    }
}

// What the editor's links give: depth 1 while the waveform is not exactly 0, the depth port's
// value otherwise, whatever order the host changes the two in.
TEST(Lv2Equivalence, EffectiveAzimuthDepthIsOneWhileARampIsChosenAndTheDepthPortOtherwise) {
    float in[2] = {}, out[2] = {};
    Lv2Instance instance(44100.0);
    instance.controls = controlsWith({{"az_speed", 0.5f}, {"az_depth", 0.4f}});
    instance.connectControls();
    connectOneFrame(instance, in, out);
    instance.activate();
    float& depth = instance.controls[controlIndex("az_depth")];
    float& waveform = instance.controls[controlIndex("az_waveform")];
    const auto effectiveDepth = [&instance]() {
        instance.run(1);
        return instance.engine().azimuthDepth;
    };
    EXPECT_EQ(effectiveDepth(), 0.4f);
    waveform = 1.0f;
    EXPECT_EQ(effectiveDepth(), 1.0f);
    depth = 0.2f;  // changed while the ramp is chosen: kept for the sine
    EXPECT_EQ(effectiveDepth(), 1.0f);
    waveform = 0.1f;  // still the sine to the engine, but not exactly 0
    EXPECT_EQ(effectiveDepth(), 1.0f);
    waveform = 0.0f;
    EXPECT_EQ(effectiveDepth(), 0.2f);
    depth = 0.6f;
    EXPECT_EQ(effectiveDepth(), 0.6f);
    instance.controls = controlsWith({{"az_speed", 0.5f}, {"az_depth", 0.3f}, {"az_waveform", 0.5f}});
    instance.activate();  // a fresh start at a ramp
    EXPECT_EQ(effectiveDepth(), 1.0f);
}

}  // namespace
