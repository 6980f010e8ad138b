#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine_harness.h"

namespace {

enum Side { kLeft, kRight };

struct Tap {
    TapSlot slot;
    float weight;
};
constexpr Tap kDifferenceTaps[4] = {{kTap900, 0.17f}, {kTap3700, 0.22f}, {kTap8280, 0.27f}, {kTap12420, 0.33f}};
constexpr Tap kHighSumTaps[4] = {{kTap1245, 0.17f}, {kTap4580, 0.22f}, {kTap8970, 0.27f}, {kTap10254, 0.33f}};
constexpr float kLeftSigns[4] = {1, -1, 1, -1};

struct Coupling {
    Side reducedSide;
    TapSlot reduced;
    TapSlot increased;  // in the other buffer
    float strength;     // times the coupling base
};
constexpr Coupling kLowCouplings[] = {{kLeft, kTap12420, kTap900, 0.37f}, {kRight, kTap8280, kTap3700, 0.17f}};
constexpr Coupling kHighCouplings[] = {
    {kLeft, kTap13100, kTap1, 0.37f},     {kRight, kTap13364, kTap2, 0.37f},
    {kLeft, kTap2623, kTap2564, 0.17f},   {kRight, kTap2699, kTap2265, 0.17f},
    {kLeft, kTap6254, kTap6120, 0.17f},   {kRight, kTap6454, kTap5987, 0.17f},
    {kLeft, kTap10645, kTap10221, 0.17f}, {kRight, kTap10987, kTap10110, 0.17f},
};

struct Expected {
    float out[2];
    std::vector<float> buffers[2];
};

// One sample of the network written from its tables: what the engine's next sample must give.
Expected networkStep(const SpatialiserState& s, bool high, float e) {
    Expected result;
    const float w = s.distanceWeight;
    const float a = e < 0.5f ? 2 * e : 1;
    const float b = e < 0.5f ? 1 : 2 * (1 - e);
    const float t = w < 0.5f ? 2 * w : 1;
    const float h = w < 0.5f ? 1 : 2 * (1 - w);
    const float g = ((1 - w) + 1) * 0.5f;
    const float c = std::min(s.roomScale + 0.75f, 1.35f) * (high ? s.reflectionPattern : 1.0f);
    for (int side : {kLeft, kRight}) {
        const float* buffer = s.reflectionBuffer[side];
        const float delayed = s.itdBuffer[side][s.itdWriteIndex[side]];
        float difference = 0;
        float sum = 0;
        for (int i = 0; i < 4; ++i) {
            const float tap = buffer[s.tapIndex[kDifferenceTaps[i].slot]] * kDifferenceTaps[i].weight;
            difference += (side == kLeft ? kLeftSigns[i] : -kLeftSigns[i]) * tap;
            const Tap& sumTap = high ? kHighSumTaps[i] : kDifferenceTaps[i];
            sum += buffer[s.tapIndex[sumTap.slot]] * sumTap.weight;
        }
        result.out[side] = (h * (b * delayed + 0.5f * a * difference) + 0.5f * t * sum) * g;
        result.buffers[side].assign(buffer, buffer + s.cycleLength + 1);
        result.buffers[side][s.writeIndex] = -delayed;
    }
    for (const Coupling& coupling : high ? std::vector<Coupling>(std::begin(kHighCouplings), std::end(kHighCouplings))
                                         : std::vector<Coupling>(std::begin(kLowCouplings), std::end(kLowCouplings))) {
        float& reduced = result.buffers[coupling.reducedSide][s.tapIndex[coupling.reduced]];
        float& increased = result.buffers[1 - coupling.reducedSide][s.tapIndex[coupling.increased]];
        const float k = coupling.strength * c;
        reduced = reduced - increased * k;
        increased = increased + reduced * k;
    }
    return result;
}

void expectNetworkSteps(Settings settings) {
    settings.stereoField = 1.0f;
    Engine engine;
    engine.update(settings);
    engine.replace(noise(9000, 17));  // fill the buffers
    const SpatialiserState& s = engine.state();
    const Stereo input = noise(50, 19);
    for (size_t i = 0; i < input.left.size(); ++i) {
        const Expected expected = networkStep(s, settings.quality != 0.0f, settings.elevation);
        const Stereo out = engine.replace(Stereo{{input.left[i] * 0.2f}, {input.right[i] * 0.2f}});
        EXPECT_NEAR(out.left[0] * 32768.0f, expected.out[kLeft], std::fabs(expected.out[kLeft]) * 1e-5f + 1e-3f);
        EXPECT_NEAR(out.right[0] * 32768.0f, expected.out[kRight], std::fabs(expected.out[kRight]) * 1e-5f + 1e-3f);
        for (int side : {kLeft, kRight}) {
            for (int j = 0; j <= s.cycleLength; ++j) {
                ASSERT_NEAR(s.reflectionBuffer[side][j], expected.buffers[side][j],
                            std::fabs(expected.buffers[side][j]) * 1e-6f + 1e-6f)
                    << "sample " << i << " side " << side << " slot " << j;
            }
        }
    }
}

TEST(Reflections, LowQualitySamplesFollowTheTapAndCouplingTables) {
    for (float elevation : {0.0f, 0.3f, 0.8f, 1.0f}) {
        Settings settings;
        settings.elevation = elevation;
        settings.distance = 0.4f + elevation / 2;
        settings.reflectionPattern = elevation;
        expectNetworkSteps(settings);
    }
}

TEST(Reflections, HighQualitySamplesFollowTheTapAndCouplingTables) {
    for (float elevation : {0.0f, 0.45f, 0.6f, 1.0f}) {
        Settings settings;
        settings.quality = 1.0f;
        settings.elevation = elevation;
        settings.distance = 1.0f - elevation;
        settings.reflectionPattern = 0.34f + elevation / 2;
        expectNetworkSteps(settings);
    }
}

TEST(Reflections, EveryPointerAdvancesAndWrapsAfterN) {
    Settings settings;
    settings.quality = 1.0f;
    Engine engine;
    engine.update(settings);
    const SpatialiserState& s = engine.state();
    engine.silence(1);
    EXPECT_EQ(s.writeIndex, 0);  // the first sample wrote at N, the next writes at 0
    EXPECT_EQ(s.tapIndex[kTap1], 1);
    engine.silence(s.cycleLength);
    EXPECT_EQ(s.writeIndex, s.cycleLength);
    EXPECT_EQ(s.tapIndex[kTap1], 0);
    EXPECT_EQ(s.tapIndex[kTap13364], 1837);  // a full cycle brings every pointer back

    // The low-quality network leaves the taps it does not use where they are.
    settings.quality = 0.0f;
    engine.update(settings);
    engine.silence(100);
    EXPECT_EQ(s.tapIndex[kTap1], 0);
    EXPECT_EQ(s.tapIndex[kTap900], 122 + 100);
}

// The pointers kept after a stream do not depend on how it was cut into calls, even where calls
// end between two wraps or right before one.
TEST(Reflections, KeptPointersDoNotDependOnHowTheStreamIsCut) {
    for (float quality : {0.0f, 1.0f}) {
        Settings settings;
        settings.quality = quality;
        settings.reflectionPattern = 0.34f;  // a short cycle with many wraps
        Engine pieces;
        pieces.update(settings);
        const auto cycle = static_cast<size_t>(pieces.state().cycleLength) + 1;
        size_t total = 0;
        for (const size_t size : {size_t{1}, size_t{70}, size_t{3}, size_t{64}, size_t{129}, cycle - 1, size_t{2}}) {
            pieces.silence(size);
            total += size;
        }
        Engine once;
        once.update(settings);
        once.silence(total);
        EXPECT_EQ(pieces.state().writeIndex, once.state().writeIndex) << quality;
        for (int tap = 0; tap < kTapCount; ++tap) {
            EXPECT_EQ(pieces.state().tapIndex[tap], once.state().tapIndex[tap]) << quality << " " << tap;
        }
    }
}

// At the front both channels carry the same direct sound, so without coupling the two buffers
// stay equal; any coupling makes them differ.
TEST(Reflections, HighQualityWithPatternZeroDoesNotCouple) {
    for (const auto& [quality, coupled] : {std::pair{1.0f, false}, std::pair{0.0f, true}}) {
        Settings settings;
        settings.quality = quality;
        settings.distance = 1.0f;
        settings.stereoField = 1.0f;
        Engine engine;
        engine.update(settings);
        const Stereo out = engine.replace(noise(6000, 23));
        const SpatialiserState& s = engine.state();
        const std::vector<float> left(s.reflectionBuffer[kLeft], s.reflectionBuffer[kLeft] + kReflectionCapacity);
        const std::vector<float> right(s.reflectionBuffer[kRight], s.reflectionBuffer[kRight] + kReflectionCapacity);
        EXPECT_EQ(left != right, coupled);
        EXPECT_EQ(out.left != out.right, coupled);
    }
}

// Four samples at once must give exactly what one sample at a time gives.
TEST(Reflections, FourSamplesAtOnceMatchOneAtATime) {
    for (float quality : {0.0f, 1.0f}) {
        for (float pattern : {0.0f, 0.34f, 1.0f}) {
            Settings settings;
            settings.quality = quality;
            settings.reflectionPattern = pattern;
            settings.azimuth = 0.3f;
            settings.azimuthSpeed = 0.5f;
            settings.azimuthDepth = 0.5f;
            settings.elevation = 0.3f;
            settings.elevationSpeed = 0.7f;
            settings.elevationDepth = 0.6f;
            settings.distance = 0.8f;
            settings.stereoField = 1.0f;
            Engine vectorised;
            Engine scalar;
            vectorised.update(settings);
            scalar.update(settings);
            ASSERT_EQ(vectorised.state().fourSamplesAtOnce[quality != 0.0f], 1);
            scalar.state().fourSamplesAtOnce[quality != 0.0f] = 0;
            const Stereo input = noise(20000, 41);
            const Stereo expected = scalar.replace(input);
            const Stereo actual = vectorised.replace(input);
            EXPECT_EQ(actual.left, expected.left) << quality << " " << pattern;
            EXPECT_EQ(actual.right, expected.right) << quality << " " << pattern;
        }
    }
}

}  // namespace
