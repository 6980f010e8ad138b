#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "engine_harness.h"

namespace {

constexpr float kCeiling = 0.99996f;

TEST(Render, NothingIsTouchedBeforeTheFirstUpdateOrForEmptyBlocks) {
    Engine engine;
    const Stereo input = noise(64, 1);
    std::vector<float> left(64, 0.125f), right(64, -0.25f);
    spatialiserProcessReplacing(input.left.data(), input.right.data(), left.data(), right.data(), 64, &engine.state());
    spatialiserProcess(input.left.data(), input.right.data(), left.data(), right.data(), 64, &engine.state());
    engine.update(Settings{});
    for (int32_t count : {0, -1, -64}) {
        spatialiserProcessReplacing(input.left.data(), input.right.data(), left.data(), right.data(), count, &engine.state());
        spatialiserProcess(input.left.data(), input.right.data(), left.data(), right.data(), count, &engine.state());
    }
    EXPECT_EQ(left, std::vector<float>(64, 0.125f));
    EXPECT_EQ(right, std::vector<float>(64, -0.25f));
}

TEST(Render, FullScaleDcAtTheFrontIsClampedOrScaledByTheStereoFieldGain) {
    Settings settings;  // front, elevation 0, distance 0: the reflections add nothing
    for (float field : {0.0f, 0.5f, 0.999f}) {
        settings.stereoField = field;
        Engine engine;
        engine.update(settings);
        const Stereo out = engine.replace(constant(256, 1.0f, 1.0f));
        EXPECT_EQ(out.left[0], 0.0f);  // the delay line starts empty
        for (size_t i = 1; i < out.left.size(); ++i) {
            ASSERT_EQ(out.left[i], kCeiling) << i;
            ASSERT_EQ(out.right[i], kCeiling) << i;
        }
    }
    settings.stereoField = 1.0f;
    Engine engine;
    engine.update(settings);
    const Stereo out = engine.replace(constant(256, 1.0f, 1.0f));
    EXPECT_NEAR(out.left.back(), 0.7f, 1e-6f);
    EXPECT_EQ(out.left.back(), out.right.back());
    // The floor is -1.0 exactly.
    Engine negative;
    negative.update(Settings{});
    EXPECT_EQ(negative.replace(constant(8, -2.0f, -2.0f)).left.back(), -1.0f);
}

TEST(Render, AtTheFrontWithoutElevationOrDistanceTheOutputIsTheInputOneSampleLater) {
    for (float field : {0.0f, 1.0f}) {
        Settings settings;
        settings.stereoField = field;
        Engine engine;
        engine.update(settings);
        const Stereo input = noise(2000, 3);
        const Stereo out = engine.replace(input);
        const float gain = field == 1.0f ? 0.7f : 1.0f;
        for (size_t i = 1; i < input.left.size(); ++i) {
            const float expected = (input.left[i - 1] + input.right[i - 1]) * 0.5f * gain;
            ASSERT_NEAR(out.left[i], expected, 2e-6f) << i;
            ASSERT_EQ(out.left[i], out.right[i]) << i;
        }
    }
}

TEST(Render, StereoFieldBelowOneBehavesLikeZero) {
    Settings settings;
    settings.azimuth = -0.3f;
    settings.elevation = 0.2f;
    settings.distance = 0.5f;
    Engine zero;
    zero.update(settings);
    settings.stereoField = 0.999f;
    Engine almost;
    almost.update(settings);
    settings.stereoField = 1.0f;
    Engine full;
    full.update(settings);
    const Stereo input = noise(4096, 5);
    const Stereo reference = zero.replace(input);
    EXPECT_EQ(almost.replace(input).left, reference.left);
    EXPECT_NE(full.replace(input).left, reference.left);
}

TEST(Render, SilenceSettlesToASmallConstant) {
    Settings settings;
    settings.distance = 0.5f;
    settings.elevation = 0.3f;
    settings.quality = 1.0f;
    settings.reflectionPattern = 1.0f;
    settings.stereoField = 1.0f;
    Engine engine;
    engine.update(settings);
    engine.replace(noise(4410, 11));
    engine.silence(10 * 44100);
    const Stereo out = engine.silence(512);
    for (size_t i = 0; i < out.left.size(); ++i) {
        ASSERT_GT(std::fabs(out.left[i]), 1e-10f);
        ASSERT_LT(std::fabs(out.left[i]), 1e-6f);
        ASSERT_NEAR(out.left[i], out.left[0], 1e-10f);
    }
}

TEST(Render, AccumulatingHalvesWhatTheBuffersHold) {
    Engine engine;
    engine.update(Settings{});
    const Stereo silence = constant(16, 0.0f, 0.0f);
    std::vector<float> left(16, 0.5f), right(16, -0.5f);
    spatialiserProcess(silence.left.data(), silence.right.data(), left.data(), right.data(), 16, &engine.state());
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(left[i], 0.25f, 1e-6f);
        EXPECT_NEAR(right[i], -0.25f, 1e-6f);
    }
}

TEST(Render, InPlaceBuffersGiveTheSameOutput) {
    Settings settings;
    settings.azimuth = 0.6f;
    settings.azimuthSpeed = 0.5f;
    settings.azimuthDepth = 0.4f;
    settings.distance = 0.8f;
    settings.quality = 1.0f;
    settings.reflectionPattern = 0.5f;
    settings.stereoField = 1.0f;
    const Stereo input = noise(3000, 13);
    for (bool accumulate : {false, true}) {
        Engine separate;
        Engine inPlace;
        separate.update(settings);
        inPlace.update(settings);
        Stereo out = constant(input.left.size(), 0.25f, -0.125f);
        Stereo shared = input;
        if (accumulate) {
            shared = out;  // the "input" of the in-place call is what the output buffers hold
            spatialiserProcess(out.left.data(), out.right.data(), out.left.data(), out.right.data(), 3000, &inPlace.state());
            Stereo expected = constant(input.left.size(), 0.25f, -0.125f);
            spatialiserProcess(shared.left.data(), shared.right.data(), expected.left.data(), expected.right.data(), 3000,
                               &separate.state());
            EXPECT_EQ(out.left, expected.left);
            EXPECT_EQ(out.right, expected.right);
        } else {
            spatialiserProcessReplacing(shared.left.data(), shared.right.data(), shared.left.data(), shared.right.data(),
                                        3000, &inPlace.state());
            EXPECT_EQ(shared.left, separate.replace(input).left);
        }
    }
}

// The loop works in stretches of a fixed length and hands state from one to the next; how the
// host cuts the stream must not show in the output or in the position the engine keeps.
TEST(Render, HowTheStreamIsCutIntoBlocksDoesNotShow) {
    Settings settings;
    settings.azimuth = -0.4f;
    settings.azimuthSpeed = 1.0f;
    settings.azimuthDepth = 1.0f;
    settings.waveform = 2.0f;  // the ramp sweeps through the back, where the glide is skipped
    settings.elevation = 0.3f;
    settings.elevationSpeed = 1.0f;
    settings.elevationDepth = 0.8f;
    settings.distance = 0.7f;
    settings.stereoField = 1.0f;
    settings.reflectionPattern = 0.8f;
    constexpr size_t kLength = 6000;
    const Stereo input = noise(kLength, 29);
    for (float quality : {0.0f, 1.0f}) {
        settings.quality = quality;
        Engine whole;
        whole.update(settings);
        const Stereo expected = whole.replace(input);

        Engine pieces;
        pieces.update(settings);
        Stereo actual{std::vector<float>(kLength), std::vector<float>(kLength)};
        const size_t sizes[] = {1, 63, 64, 65, 3, 128, 129, 127, 2, 500, 191, 4};
        for (size_t start = 0, i = 0; start < kLength; ++i) {
            const size_t count = std::min(sizes[i % std::size(sizes)], kLength - start);
            spatialiserProcessReplacing(input.left.data() + start, input.right.data() + start, actual.left.data() + start,
                                        actual.right.data() + start, static_cast<int32_t>(count), &pieces.state());
            start += count;
        }
        EXPECT_EQ(actual.left, expected.left) << quality;
        EXPECT_EQ(actual.right, expected.right) << quality;
        EXPECT_EQ(pieces.state().front, whole.state().front);
        EXPECT_EQ(pieces.state().lateral, whole.state().lateral);
        EXPECT_EQ(pieces.state().rear, whole.state().rear);
        EXPECT_EQ(pieces.state().elevation, whole.state().elevation);
    }
}

// A line of length n delays by n + 1 samples.
int firstLoudSample(const std::vector<float>& samples, size_t from) {
    for (size_t i = from; i < samples.size(); ++i) {
        if (std::fabs(samples[i]) > 0.01f) return static_cast<int>(i - from);
    }
    return -1;
}

TEST(InterauralDelay, HardLeftDelaysTheRightEarByFourToSixSamples) {
    for (const auto& [distance, length] : {std::pair{0.0f, 4}, std::pair{0.5f, 5}, std::pair{1.0f, 6}}) {
        Settings settings;
        settings.azimuth = -0.5f;
        settings.distance = distance;
        Engine engine;
        engine.update(settings);
        // The right line grows by one sample per sample; the left stays empty.
        for (int i = 1; i <= length + 2; ++i) {
            engine.silence(1);
            ASSERT_EQ(engine.state().itdLength[1], std::min(i, length)) << distance;
            ASSERT_EQ(engine.state().itdLength[0], 0);
        }
        if (distance == 0.0f) {  // no tail: the impulse shows its delay plainly
            Stereo impulse = constant(64, 0.0f, 0.0f);
            impulse.left[0] = 1.0f;
            const Stereo out = engine.replace(impulse);
            EXPECT_EQ(firstLoudSample(out.left, 0), 1);
            EXPECT_EQ(firstLoudSample(out.right, 0), length + 1);
        }
    }
}

TEST(InterauralDelay, FlippingSidesShrinksTheDelayedLineAtOnce) {
    // Positions beyond 0.9 are taken at once, so the source jumps from behind left to behind right.
    Settings settings;
    settings.azimuth = -0.95f;
    settings.distance = 1.0f;
    Engine engine;
    engine.update(settings);
    engine.silence(30);
    ASSERT_EQ(engine.state().itdLength[1], 11);
    settings.azimuth = 0.95f;
    engine.update(settings);
    for (int i = 1; i <= 11; ++i) {
        engine.silence(1);
        EXPECT_EQ(engine.state().itdLength[1], 0);
        EXPECT_EQ(engine.state().itdLength[0], i);
    }
}

TEST(InterauralDelay, DirectlyBehindTheLeftEarLagsTwelveSamples) {
    Settings settings;
    settings.azimuth = 1.0f;
    settings.distance = 1.0f;
    Engine engine;
    engine.update(settings);
    engine.silence(20);
    EXPECT_EQ(engine.state().itdLength[0], 12);
    EXPECT_EQ(engine.state().itdLength[1], 0);
}

}  // namespace
