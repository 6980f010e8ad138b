#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "engine_harness.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

Settings moving() {
    Settings settings;
    settings.azimuth = 0.2f;
    settings.azimuthSpeed = 0.7f;
    settings.azimuthDepth = 0.6f;
    settings.waveform = 1.0f;
    settings.elevation = 0.4f;
    settings.elevationSpeed = 0.9f;
    settings.elevationDepth = 0.5f;
    settings.distance = 0.5f;
    settings.stereoField = 1.0f;
    settings.quality = 1.0f;
    settings.reflectionPattern = 0.5f;
    return settings;
}

struct Substitute {
    float Settings::*field;
    float sent;
    float taken;  // what the engine must treat it as
};

TEST(Robustness, ValuesOutsideTheirRangesAreTakenAsClampedAndNonFiniteAsTheLowEnd) {
    const Substitute substitutes[] = {
        {&Settings::azimuth, 9.0f, 1.0f},          {&Settings::azimuth, -9.0f, -1.0f},
        {&Settings::azimuth, kNaN, 0.0f},          {&Settings::azimuth, -kInfinity, 0.0f},
        {&Settings::azimuthSpeed, -0.5f, 0.0f},    {&Settings::azimuthSpeed, 50.0f, 1.0f},
        {&Settings::azimuthSpeed, kInfinity, 0.0f}, {&Settings::azimuthDepth, 3.0f, 1.0f},
        {&Settings::waveform, 7.0f, 2.0f},         {&Settings::waveform, -1.0f, 0.0f},
        {&Settings::elevation, 1e30f, 1.0f},       {&Settings::elevationSpeed, -1e30f, 0.0f},
        {&Settings::elevationDepth, kNaN, 0.0f},   {&Settings::distance, 100.0f, 1.0f},
        {&Settings::distance, -2.0f, 0.0f},        {&Settings::stereoField, 1.5f, 1.0f},
        {&Settings::quality, -1.0f, 0.0f},         {&Settings::quality, 2.0f, 1.0f},
        {&Settings::reflectionPattern, 5.0f, 1.0f}, {&Settings::reflectionPattern, -3.0f, 0.0f},
        {&Settings::reflectionPattern, kNaN, 0.0f},
    };
    const Stereo input = noise(3000, 29);
    for (const Substitute& substitute : substitutes) {
        Settings sent = moving();
        Settings taken = moving();
        sent.*substitute.field = substitute.sent;
        taken.*substitute.field = substitute.taken;
        Engine actual;
        Engine expected;
        actual.update(sent);
        expected.update(taken);
        ASSERT_EQ(actual.replace(input).left, expected.replace(input).left) << substitute.sent;
    }
}

TEST(Robustness, NonFiniteSamplesAreSilenceAndHugeOnesAreLimited) {
    Stereo input = noise(2000, 31);
    Stereo cleaned = input;
    for (size_t i = 0; i < input.left.size(); i += 37) {
        input.left[i] = i % 2 ? kNaN : -kInfinity;
        cleaned.left[i] = 0.0f;
        input.right[i] = i % 3 ? 1e30f : -5000.0f;
        cleaned.right[i] = i % 3 ? 1000.0f : -1000.0f;
    }
    Engine actual;
    Engine expected;
    actual.update(moving());
    expected.update(moving());
    EXPECT_EQ(actual.replace(input).left, expected.replace(cleaned).left);
}

// Random floats, specials included, at every argument and in the samples.
class Chaos {
public:
    explicit Chaos(uint32_t seed) : noise_(seed) {}
    float value() {
        static constexpr float kSpecials[] = {kNaN, -kNaN, kInfinity, -kInfinity, 1e30f, -1e30f, -1.0f,
                                              -0.5f, 0.0f, 1.0f, 2.0f, 1e-40f, 0.9f, 1000.5f};
        const uint32_t pick = noise_.nextBits() >> 24;
        if (pick < 100) return kSpecials[pick % std::size(kSpecials)];
        return noise_.next() * 3.0f;
    }
    float sample() { return (noise_.nextBits() >> 24) < 8 ? value() : noise_.next(); }
    uint32_t below(uint32_t limit) { return (noise_.nextBits() >> 8) % limit; }

private:
    Noise noise_;
};

void expectSane(const Stereo& out) {
    for (size_t i = 0; i < out.left.size(); ++i) {
        for (float sample : {out.left[i], out.right[i]}) {
            ASSERT_TRUE(sample >= -1.0f && sample <= 0.99996f) << sample << " at " << i;
        }
    }
}

void expectIndicesInside(const SpatialiserState& s) {
    ASSERT_GT(s.cycleLength, 0);
    ASSERT_LT(s.cycleLength, kReflectionCapacity);
    ASSERT_GE(s.writeIndex, 0);
    ASSERT_LE(s.writeIndex, s.cycleLength);
    for (int32_t tap : s.tapIndex) {
        ASSERT_GE(tap, 0);
        ASSERT_LE(tap, s.cycleLength);
    }
    for (int line = 0; line < 2; ++line) {
        ASSERT_GE(s.itdLength[line], 0);
        ASSERT_LT(s.itdLength[line], kItdLineCapacity);
        ASSERT_GE(s.itdWriteIndex[line], 0);
        ASSERT_LT(s.itdWriteIndex[line], kItdLineCapacity);
    }
    ASSERT_TRUE(s.azimuthPhase >= 0.0f && s.azimuthPhase <= 8192.0f);
    ASSERT_TRUE(s.elevationPhase >= 0.0f && s.elevationPhase <= 8192.0f);
}

TEST(Robustness, RandomArgumentsAndSamplesNeverLeaveTheEngineStuckOrOutside) {
    Chaos chaos(12345);
    Engine engine;
    for (int block = 0; block < 400; ++block) {
        if (chaos.below(4) == 0) spatialiserSetSampleRate(chaos.value() * 1e5f, &engine.state());
        engine.update(Settings{chaos.value(), chaos.value(), chaos.value(), chaos.value(), chaos.value(),
                               chaos.value(), chaos.value(), chaos.value(), chaos.value(), chaos.value(),
                               chaos.value()});
        const size_t count = 1 + chaos.below(700);
        Stereo input{std::vector<float>(count), std::vector<float>(count)};
        Stereo out{std::vector<float>(count), std::vector<float>(count)};
        for (size_t i = 0; i < count; ++i) {
            input.left[i] = chaos.sample();
            input.right[i] = chaos.sample();
            out.left[i] = chaos.sample();
            out.right[i] = chaos.sample();
        }
        if (chaos.below(2) == 0) {
            spatialiserProcess(input.left.data(), input.right.data(), out.left.data(), out.right.data(),
                               static_cast<int32_t>(count), &engine.state());
        } else {
            out = engine.replace(input);
        }
        expectSane(out);
        expectIndicesInside(engine.state());
        if (HasFatalFailure()) FAIL() << "block " << block;
    }
    engine.update(moving());
    const Stereo out = engine.replace(noise(4096, 37));
    expectSane(out);
    EXPECT_GT(std::fabs(out.left.back()), 1e-4f);
}

}  // namespace
