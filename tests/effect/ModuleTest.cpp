// The plug-in module opened through the operating system's loader, as a host opens it. The same
// scenario rendered by the Linux, win32 and win64 modules must give the same bits.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "effect/ParameterTable.h"
#include "tests/support/LoadedModule.h"
#include "tests/support/PluginCalls.h"
#include "tests/support/RecordingHost.h"

namespace {

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(module.isLoaded()) << module.loadError();
        ASSERT_NE(module.mainEntry(), nullptr);
        effect = module.mainEntry()(host.callback());
        ASSERT_NE(effect, nullptr);
    }
    void TearDown() override {
        if (effect) {
            EXPECT_EQ(closeEffect(effect), 1);
        }
    }

    LoadedModule module{pathBesideExecutable(SPATIALISER_MODULE)};
    RecordingHost host;
    AEffect* effect = nullptr;
};

TEST_F(ModuleTest, ReportsItsRecord) {
    EXPECT_EQ(host.calls.front().opcode, audioMasterVersion);
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->numPrograms, 64);
    EXPECT_EQ(effect->numParams, 15);
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_EQ(effect->flags, 25);
    EXPECT_EQ(effect->uniqueID, fourCharCode('v', 'Q', 'r', 't'));
    EXPECT_EQ(effect->version, 1);
    EXPECT_EQ(effect->initialDelay, 0);
    EXPECT_EQ(effect->ioRatio, 1.0f);
    EXPECT_EQ(effect->getParameter(effect, kAzimuth), 0.5f);
    EXPECT_EQ(effect->getParameter(effect, kDistance), 0.5f);

    char name[32] = {};
    EXPECT_EQ(dispatch(effect, effGetProgramNameIndexed, 63, 0, name), 1);
    EXPECT_STREQ(name, "Default");
    char display[32] = {};
    dispatch(effect, effGetParamDisplay, kAzimuthSpeed, 0, display);
    EXPECT_STREQ(display, "0.06000");
}

TEST_F(ModuleTest, ProgramsComeFromTheBankInsideTheModule) {
    dispatch(effect, effSetProgram, 0, 5);
    EXPECT_EQ(dispatch(effect, effGetProgram), 5);
    EXPECT_EQ(effect->getParameter(effect, kStereoField), 1.0f);
    EXPECT_EQ(effect->getParameter(effect, kReflectionPattern), 0.34f);
}

// A deterministic noise in -0.5..0.5, exact in float on every target.
class Noise {
public:
    explicit Noise(uint32_t seed) : state(seed) {}
    float next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) * (1.0f / 16777216.0f) - 0.5f;
    }

private:
    uint32_t state;
};

// FNV-1a over the bits of the samples.
class Checksum {
public:
    void add(const float* samples, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            uint32_t bits;
            std::memcpy(&bits, &samples[i], sizeof bits);
            for (int shift = 0; shift < 32; shift += 8) value = (value ^ ((bits >> shift) & 0xffu)) * 0x100000001b3ull;
        }
    }
    uint64_t value = 0xcbf29ce484222325ull;
};

// Moves the source around with both oscillators, both qualities and several reflection patterns,
// rendering alternately in both modes; returns the checksum of every output sample.
uint64_t renderScenario(AEffect* effect, float sampleRate) {
    constexpr int32_t kBlock = 256;
    constexpr int kBlocks = 240;
    dispatch(effect, effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effect, effSetBlockSize, 0, kBlock);
    dispatch(effect, effMainsChanged, 0, 1);

    const struct {
        int block;
        int32_t index;
        float value;
    } changes[] = {{0, kAzimuthSpeed, 0.5f},        {0, kAzimuthDepthSlider, 0.7f}, {40, kQuality, 1.0f},
                   {60, kAzimuthWaveform, 0.5f},   {80, kReflectionPattern, 1.0f}, {100, kElevationSpeed, 0.3f},
                   {100, kElevationDepth, 0.8f},   {120, kStereoField, 0.5f},      {140, kAzimuthWaveform, 1.0f},
                   {160, kQuality, 0.0f},          {170, kDistanceSlider, 0.1f},   {180, kReflectionPattern, 0.0f},
                   {200, kAzimuthSlider, 0.9f},    {200, kAzimuthWaveform, 0.0f}, {220, kStereoField, 1.0f}};

    Noise left(1), right(2);
    std::vector<float> in0(kBlock), in1(kBlock), out0(kBlock), out1(kBlock);
    float* inputs[2] = {in0.data(), in1.data()};
    float* outputs[2] = {out0.data(), out1.data()};
    Checksum checksum;
    for (int block = 0; block < kBlocks; ++block) {
        for (const auto& change : changes)
            if (change.block == block) effect->setParameter(effect, change.index, change.value);
        for (int32_t i = 0; i < kBlock; ++i) {
            in0[i] = left.next();
            in1[i] = right.next();
        }
        const bool replacing = block % 2 == 0;
        std::fill(out0.begin(), out0.end(), replacing ? 0.25f : 0.125f);
        std::fill(out1.begin(), out1.end(), replacing ? -0.25f : -0.125f);
        (replacing ? effect->processReplacing : effect->process)(effect, inputs, outputs, kBlock);
        for (int32_t i = 0; i < kBlock; ++i) {
            EXPECT_TRUE(std::isfinite(out0[i]) && std::isfinite(out1[i])) << "block " << block << " sample " << i;
        }
        checksum.add(out0.data(), kBlock);
        checksum.add(out1.data(), kBlock);
    }
    return checksum.value;
}

// Checksums of the Linux module; the win32 and win64 modules must match them.
TEST_F(ModuleTest, RendersTheScenarioBitForBitAlikeAt44100) {
    EXPECT_EQ(renderScenario(effect, 44100.0f), 0x0070f224fdd5131full);
}

TEST_F(ModuleTest, RendersTheScenarioBitForBitAlikeAt48000) {
    EXPECT_EQ(renderScenario(effect, 48000.0f), 0xd9b9eb284cd735c0ull);
}

TEST_F(ModuleTest, RendersTheScenarioBitForBitAlikeAt96000) {
    EXPECT_EQ(renderScenario(effect, 96000.0f), 0x26f7210574557e64ull);
}

// The editor's rectangle comes from its background bitmap, a resource of the module itself.
TEST_F(ModuleTest, TheEditorAnswersItsRectangleKeysAndKnobMode) {
    EXPECT_TRUE(effect->flags & effFlagsHasEditor);
    ERect* rect = nullptr;
    ASSERT_EQ(dispatch(effect, effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 269);
    EXPECT_EQ(rect->right, 454);
    VstKeyCode key = {0, VKEY_LEFT, 0};
    EXPECT_EQ(dispatch(effect, effEditKeyDown, 0, VKEY_LEFT, &key), 1);
    EXPECT_EQ(dispatch(effect, effSetEditKnobMode, 0, 1), 1);
}

}  // namespace
