#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "engine_harness.h"

namespace {

using Taps = std::array<int32_t, kTapCount>;

Taps tapsOf(const SpatialiserState& state) {
    Taps taps;
    std::copy(std::begin(state.tapIndex), std::end(state.tapIndex), taps.begin());
    return taps;
}

Settings withPattern(float pattern) {
    Settings settings;
    settings.reflectionPattern = pattern;
    return settings;
}

TEST(Update, FirstUpdateMakesTheEngineReadyAndSigned) {
    Engine engine;
    EXPECT_EQ(engine.state().ready, 0);
    engine.update(Settings{});
    EXPECT_EQ(engine.state().ready, 1);
    EXPECT_EQ(std::memcmp(engine.state().signature, "uad3", 4), 0);
}

TEST(Update, CycleAndTapsForTheShortestAndLongestRoom) {
    // Taps in slot order at trunc(N / 13400 * k - 1).
    const Taps shortest = {351, 359, 840, 859, 1404, 1463, 1389, 1510, 0, 1800, 0, 1837,
                           310, 370, 822, 886, 122, 507, 1137, 1707, 170, 628, 1232, 1409};
    const Taps longest = {487, 498, 1165, 1190, 1947, 2027, 1925, 2093, 0, 2495, 0, 2546,
                          430, 513, 1140, 1229, 170, 704, 1577, 2366, 236, 871, 1708, 1953};
    Engine engine;
    engine.update(withPattern(0.0f));
    EXPECT_EQ(engine.state().cycleLength, 1843);
    EXPECT_EQ(engine.state().writeIndex, 1843);
    EXPECT_EQ(tapsOf(engine.state()), shortest);
    EXPECT_FLOAT_EQ(engine.state().roomScale, 0.17777776f);

    engine.update(withPattern(1.0f));
    EXPECT_EQ(engine.state().cycleLength, 2554);
    EXPECT_EQ(engine.state().writeIndex, 2554);
    EXPECT_EQ(tapsOf(engine.state()), longest);
}

TEST(Update, CycleOfTheDefaultPatternFollowsSinglePrecisionOrder) {
    // roomScale * 8000 + 422 - 1 is 2084.9998 in float: N is 2084, not 2085.
    Engine engine;
    engine.update(withPattern(0.34f));
    EXPECT_EQ(engine.state().cycleLength, 2084);
}

TEST(Update, OnlyQualityOrPatternReinitialisesAndBuffersSurvive) {
    Engine engine;
    Settings settings = withPattern(0.34f);
    engine.update(settings);
    engine.replace(noise(3000, 7));
    SpatialiserState& s = engine.state();
    const std::vector<float> buffers(&s.reflectionBuffer[0][0], &s.reflectionBuffer[0][0] + 2 * kReflectionCapacity);
    const int32_t writeIndex = s.writeIndex;
    const Taps taps = tapsOf(s);
    ASSERT_NE(writeIndex, s.cycleLength);

    // Everything else changes without a reset.
    settings.azimuth = -0.5f;
    settings.azimuthSpeed = 0.3f;
    settings.azimuthDepth = 0.2f;
    settings.waveform = 2.0f;
    settings.elevation = 0.4f;
    settings.distance = 0.9f;
    settings.stereoField = 1.0f;
    engine.update(settings);
    engine.update(settings);
    EXPECT_EQ(s.writeIndex, writeIndex);
    EXPECT_EQ(tapsOf(s), taps);
    EXPECT_EQ(s.azimuthCurrent, 0.0f);  // still gliding from where it was

    engine.replace(noise(2000, 9));  // the source glides left: the right line grows
    ASSERT_GT(s.itdLength[1], 0);
    const std::vector<float> afterMove(&s.reflectionBuffer[0][0], &s.reflectionBuffer[0][0] + 2 * kReflectionCapacity);

    settings.quality = 1.0f;
    engine.update(settings);
    EXPECT_EQ(s.writeIndex, s.cycleLength);
    EXPECT_EQ(s.itdLength[1], 0);
    EXPECT_EQ(s.azimuthCurrent, -0.5f);  // the smoother jumps to the slider
    EXPECT_EQ(s.quality, 1.0f);
    const std::vector<float> afterQuality(&s.reflectionBuffer[0][0], &s.reflectionBuffer[0][0] + 2 * kReflectionCapacity);
    EXPECT_EQ(afterQuality, afterMove);

    settings.reflectionPattern = 1.0f;
    engine.update(settings);
    EXPECT_EQ(s.cycleLength, 2554);
    EXPECT_EQ(s.writeIndex, 2554);
    EXPECT_NE(buffers, std::vector<float>(2 * kReflectionCapacity, 0.0f));
}

TEST(Update, StoppedOrFlatOscillatorsRestartFromPhaseZero) {
    Engine engine;
    Settings settings;
    settings.azimuthSpeed = 1.0f;
    settings.azimuthDepth = 0.5f;
    settings.elevationSpeed = 1.0f;
    settings.elevationDepth = 0.5f;
    engine.update(settings);
    engine.silence(100);
    SpatialiserState& s = engine.state();
    ASSERT_GT(s.azimuthPhase, 18.0f);
    ASSERT_GT(s.elevationPhase, 18.0f);

    // A running oscillator keeps its phase across updates.
    const float azimuthPhase = s.azimuthPhase;
    engine.update(settings);
    EXPECT_EQ(s.azimuthPhase, azimuthPhase);

    // Speed 0 stores depth 0 and resets the phase; so does depth 0 at any speed.
    settings.azimuthSpeed = 0.0f;
    settings.elevationDepth = 0.0f;
    engine.update(settings);
    EXPECT_EQ(s.azimuthDepth, 0.0f);
    EXPECT_EQ(s.azimuthPhase, 0.0f);
    EXPECT_EQ(s.elevationSpeed, 1.0f);
    EXPECT_EQ(s.elevationPhase, 0.0f);

    // At rest the azimuth settles at the slider (within the glide's float rounding) although a
    // depth was sent.
    settings.azimuth = 0.3f;
    settings.azimuthDepth = 1.0f;
    engine.update(settings);
    engine.silence(100000);
    EXPECT_EQ(s.azimuthPhase, 0.0f);
    EXPECT_NEAR(s.azimuthCurrent, 0.3f, 1e-4f);
}

TEST(Update, SampleRateIsStoredOnlyWhenFiniteAndPositive) {
    Engine engine;
    EXPECT_EQ(engine.state().sampleRate, 0.0f);
    spatialiserSetSampleRate(48000.0f, &engine.state());
    EXPECT_EQ(engine.state().sampleRate, 48000.0f);
    for (float bad : {0.0f, -44100.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        spatialiserSetSampleRate(bad, &engine.state());
        EXPECT_EQ(engine.state().sampleRate, 48000.0f) << bad;
    }
}

}  // namespace
