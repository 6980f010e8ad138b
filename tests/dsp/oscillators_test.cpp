#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine_harness.h"

namespace {

constexpr int kPeriodAtOneHz = 44100;

struct Trace {
    std::vector<float> azimuth;
    std::vector<float> elevation;
};

// Renders one sample at a time and records where the source was.
Trace trace(Engine& engine, int samples) {
    Trace result;
    for (int i = 0; i < samples; ++i) {
        engine.silence(1);
        result.azimuth.push_back(engine.state().azimuthCurrent);
        result.elevation.push_back(engine.state().elevation);
    }
    return result;
}

int countWraps(const std::vector<float>& azimuth) {
    int wraps = 0;
    for (size_t i = 1; i < azimuth.size(); ++i) {
        if (std::fabs(azimuth[i] - azimuth[i - 1]) > 1.0f) ++wraps;
    }
    return wraps;
}

TEST(Glide, ReachesAboutSixtyThreePercentAfter4000Samples) {
    Engine engine;
    engine.update(Settings{});
    Settings settings;
    settings.azimuth = 0.5f;
    engine.update(settings);
    const Trace moved = trace(engine, 4000);
    EXPECT_NEAR(moved.azimuth.back() / 0.5f, 0.632f, 0.002f);
    EXPECT_TRUE(std::is_sorted(moved.azimuth.begin(), moved.azimuth.end()));
}

TEST(Glide, PositionsFromPointNineOnAreTakenAtOnce) {
    for (float target : {0.9f, 0.95f, -0.9f, 1.0f}) {
        Engine engine;
        engine.update(Settings{});
        Settings settings;
        settings.azimuth = target;
        engine.update(settings);
        EXPECT_EQ(trace(engine, 1).azimuth[0], target);
    }
    Engine engine;
    engine.update(Settings{});
    Settings settings;
    settings.azimuth = 0.8999f;
    engine.update(settings);
    EXPECT_LT(trace(engine, 1).azimuth[0], 0.001f);
}

TEST(Sweep, RampCirclesOncePerPeriodWrappingFromBehindRightToBehindLeft) {
    Engine engine;
    Settings settings;
    settings.azimuthSpeed = 1.0f;
    settings.azimuthDepth = 1.0f;
    settings.waveform = 2.0f;
    engine.update(settings);
    const Trace sweep = trace(engine, 2 * kPeriodAtOneHz);
    EXPECT_EQ(countWraps(sweep.azimuth), 2);
    const auto wrap = std::find_if(sweep.azimuth.begin() + 1, sweep.azimuth.end(),
                                   [previous = sweep.azimuth[0]](float a) mutable {
                                       const bool jumped = previous - a > 1.0f;
                                       previous = a;
                                       return jumped;
                                   });
    ASSERT_NE(wrap, sweep.azimuth.end());
    EXPECT_GE(*(wrap - 1), 0.9f);
    EXPECT_LE(*wrap, -0.9f);
    // Rising right after the start, rising again on the left after the wrap.
    EXPECT_GT(sweep.azimuth[kPeriodAtOneHz / 4], 0.2f);
    EXPECT_LT(sweep.azimuth[kPeriodAtOneHz * 3 / 4], -0.2f);
}

TEST(Sweep, InvertedRampRunsBehindRightFrontLeftBehind) {
    Engine engine;
    Settings settings;
    settings.azimuthSpeed = 1.0f;
    settings.azimuthDepth = 1.0f;
    settings.waveform = 1.0f;
    engine.update(settings);
    const Trace sweep = trace(engine, kPeriodAtOneHz);
    EXPECT_EQ(sweep.azimuth[0], 1.0f);
    EXPECT_GT(sweep.azimuth[kPeriodAtOneHz / 4], 0.3f);
    EXPECT_LT(std::fabs(sweep.azimuth[kPeriodAtOneHz / 2 + 4000]), 0.2f);
    EXPECT_LT(sweep.azimuth[kPeriodAtOneHz * 3 / 4], -0.3f);
    EXPECT_LE(sweep.azimuth.back(), -0.9f);
    EXPECT_EQ(countWraps(sweep.azimuth), 0);
}

TEST(Sweep, SineSwingsAroundTheSliderWithinTheDepth) {
    Engine engine;
    Settings settings;
    settings.azimuth = 0.1f;
    settings.azimuthSpeed = 1.0f;
    settings.azimuthDepth = 0.5f;
    engine.update(settings);
    const Trace sweep = trace(engine, kPeriodAtOneHz);
    const auto [low, high] = std::minmax_element(sweep.azimuth.begin(), sweep.azimuth.end());
    EXPECT_GT(*high, 0.4f);
    EXPECT_LT(*high, 0.6f);
    EXPECT_LT(*low, -0.2f);
    EXPECT_GT(*low, -0.4f);
    EXPECT_LT(high - sweep.azimuth.begin(), kPeriodAtOneHz / 2);
}

// The render loop skips the wrap when no table entry can take the sweep past -1..1: a sweep that
// reaches exactly 1 (0.5 + 0.5, and 0.5 + the next float above 0.5, which rounds back to 1) stays
// behind; one that passes 1 by the least step wraps to the left.
TEST(Sweep, ASweepReachingExactlyOneStaysBehindAndOnePastItWraps) {
    for (const float target : {0.5f, std::nextafter(0.5f, 1.0f), 0.5f + 0x1p-23f}) {
        Engine engine;
        Settings settings;
        settings.azimuth = target;
        settings.azimuthSpeed = 1.0f;
        settings.azimuthDepth = 0.5f;
        engine.update(settings);
        const Trace sweep = trace(engine, kPeriodAtOneHz);
        const auto [low, high] = std::minmax_element(sweep.azimuth.begin(), sweep.azimuth.end());
        if (target < 0.5f + 0x1p-23f) {
            EXPECT_EQ(*high, 1.0f);
            EXPECT_EQ(countWraps(sweep.azimuth), 0);
        } else {
            EXPECT_LT(*low, -0.999f);
            EXPECT_EQ(countWraps(sweep.azimuth), 2);
        }
    }
}

TEST(Sweep, ElevationFollowsThePositiveHalfOfTheSine) {
    Engine engine;
    Settings settings;
    settings.elevationSpeed = 1.0f;
    settings.elevationDepth = 1.0f;
    engine.update(settings);
    const Trace sweep = trace(engine, kPeriodAtOneHz);
    EXPECT_NEAR(sweep.elevation[kPeriodAtOneHz / 4], 1.0f, 1e-4f);
    EXPECT_NEAR(sweep.elevation[kPeriodAtOneHz / 8], std::sqrt(0.5f), 1e-3f);
    for (int i = kPeriodAtOneHz / 2 + 10; i < kPeriodAtOneHz - 10; ++i) ASSERT_EQ(sweep.elevation[i], 0.0f) << i;
    EXPECT_EQ(*std::max_element(sweep.elevation.begin(), sweep.elevation.end()), 1.0f);
}

TEST(Sweep, ElevationAboveTheSliderIsClampedAtOne) {
    Engine engine;
    Settings settings;
    settings.elevation = 0.8f;
    settings.elevationSpeed = 1.0f;
    settings.elevationDepth = 0.5f;
    engine.update(settings);
    const Trace sweep = trace(engine, kPeriodAtOneHz);
    EXPECT_EQ(sweep.elevation[kPeriodAtOneHz / 4], 1.0f);
    EXPECT_NEAR(sweep.elevation[kPeriodAtOneHz * 3 / 4], 0.3f, 1e-4f);
}

TEST(Phase, AdvancesBySpeedTimes8192Over44100AndRestartsAtZeroPastTheEnd) {
    Engine engine;
    Settings settings;
    settings.azimuthSpeed = 1.0f;
    settings.azimuthDepth = 1.0f;
    engine.update(settings);
    engine.silence(1000);
    EXPECT_NEAR(engine.state().azimuthPhase, 1000 * 8192.0f / 44100.0f, 0.01f);
    int samples = 1000;
    while (engine.state().azimuthPhase != 0.0f && samples < 2 * kPeriodAtOneHz) {
        engine.silence(1);
        ++samples;
    }
    // The remainder past 8192 is dropped and float steps round, so a period is a little longer.
    EXPECT_GT(samples, kPeriodAtOneHz);
    EXPECT_LT(samples, kPeriodAtOneHz * 1.002);
}

}  // namespace
