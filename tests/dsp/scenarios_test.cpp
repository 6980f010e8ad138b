// Reference scenarios: fixed signals, parameter sequences and block sizes whose output checksums
// were taken once from a trusted run. Any change of the numbers shows here, and every build (Linux,
// win32, win64), with each build of the render loop the processor runs, must give the same
// checksums.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "engine_harness.h"

namespace {

enum class Mode { replace, accumulate, inPlace };

struct Scenario {
    std::function<Stereo(size_t count, uint32_t block)> signal;
    std::function<Settings(uint32_t block)> settings;
    std::function<size_t(uint32_t block)> blockSize;
    uint32_t blocks;
    Mode mode;
};

// Two tones from float recurrences: the same samples on every build.
class Tones {
public:
    Stereo next(size_t count) {
        Stereo signal{std::vector<float>(count), std::vector<float>(count)};
        for (size_t i = 0; i < count; ++i) {
            const float low = 1.9960713f * low1_ - low2_;
            low2_ = low1_;
            low1_ = low;
            const float high = 1.8195190f * high1_ - high2_;
            high2_ = high1_;
            high1_ = high;
            signal.left[i] = low + high;
            signal.right[i] = low - 0.5f * high;
        }
        return signal;
    }

private:
    float low1_ = 0.02f, low2_ = 0.0f, high1_ = 0.05f, high2_ = 0.0f;
};

uint64_t run(const Scenario& scenario, float sampleRate, InstructionSet instructionSet) {
    Engine engine(instructionSet);
    spatialiserSetSampleRate(sampleRate, &engine.state());
    uint64_t hash = 14695981039346656037ull;
    for (uint32_t block = 0; block < scenario.blocks; ++block) {
        engine.update(scenario.settings(block));
        const size_t count = scenario.blockSize(block);
        Stereo input = scenario.signal(count, block);
        Stereo out;
        switch (scenario.mode) {
            case Mode::replace:
                out = engine.replace(input);
                break;
            case Mode::accumulate:
                out = constant(count, 0.1f, -0.3f);
                spatialiserProcess(input.left.data(), input.right.data(), out.left.data(), out.right.data(),
                                   static_cast<int32_t>(count), &engine.state());
                break;
            case Mode::inPlace:
                spatialiserProcessReplacing(input.left.data(), input.right.data(), input.left.data(),
                                            input.right.data(), static_cast<int32_t>(count), &engine.state());
                out = input;
                break;
        }
        hash = fnv1a(out.right, fnv1a(out.left, hash));
    }
    return hash;
}

Settings defaultProgram() {
    Settings settings;
    settings.azimuthSpeed = 0.06f;
    settings.elevationSpeed = 0.06f;
    settings.distance = 0.5f;
    settings.stereoField = 1.0f;
    settings.reflectionPattern = 0.34f;
    return settings;
}

Scenario defaultProgramWithNoise() {
    return {[](size_t count, uint32_t block) { return noise(count, 100 + block); },
            [](uint32_t) { return defaultProgram(); }, [](uint32_t) { return size_t{512}; }, 40, Mode::replace};
}

Scenario highQualitySweep() {
    auto tones = std::make_shared<Tones>();
    Settings settings;
    settings.azimuthSpeed = 0.8f;
    settings.azimuthDepth = 1.0f;
    settings.waveform = 2.0f;
    settings.elevation = 0.2f;
    settings.elevationSpeed = 0.5f;
    settings.elevationDepth = 0.6f;
    settings.distance = 0.9f;
    settings.stereoField = 1.0f;
    settings.quality = 1.0f;
    settings.reflectionPattern = 2.0f / 3.0f;
    return {[tones](size_t count, uint32_t) { return tones->next(count); },
            [settings](uint32_t) { return settings; }, [](uint32_t) { return size_t{64}; }, 1200, Mode::replace};
}

Scenario narrowFieldAccumulating() {
    Settings settings;
    settings.azimuth = -0.7f;
    settings.azimuthSpeed = 0.3f;
    settings.azimuthDepth = 0.5f;
    settings.waveform = 1.0f;
    settings.elevation = 0.7f;
    settings.distance = 0.3f;
    settings.stereoField = 0.5f;
    settings.quality = 1.0f;
    settings.reflectionPattern = 1.0f;
    return {[](size_t count, uint32_t block) { return noise(count, 500 + block); },
            [settings](uint32_t) { return settings; }, [](uint32_t) { return size_t{17}; }, 3000, Mode::accumulate};
}

// Every block moves something; quality and pattern changes re-initialise on the way.
Scenario automation() {
    auto tones = std::make_shared<Tones>();
    return {[tones](size_t count, uint32_t) { return tones->next(count); },
            [](uint32_t block) {
                static constexpr float kAzimuths[] = {0.0f, -0.5f, 0.95f, -0.95f, 0.3f, 1.0f, -0.2f, 0.6f};
                static constexpr float kPatterns[] = {0.0f, 1.0f / 3.0f, 2.0f / 3.0f, 1.0f};
                Settings settings = defaultProgram();
                settings.azimuth = kAzimuths[block / 5 % 8];
                settings.azimuthDepth = block % 3 == 0 ? 0.0f : 0.4f;
                settings.azimuthSpeed = 0.5f;
                settings.elevation = static_cast<float>(block % 11) / 10.0f;
                settings.elevationDepth = 0.3f;
                settings.distance = static_cast<float>(block % 13) / 12.0f;
                settings.stereoField = block % 17 < 12 ? 1.0f : 0.0f;
                settings.quality = block / 7 % 2 ? 1.0f : 0.0f;
                settings.reflectionPattern = kPatterns[block / 23 % 4];
                return settings;
            },
            [](uint32_t block) { return size_t{1} + (block * 2654435761u >> 7) % 300; }, 300, Mode::inPlace};
}

Scenario behindWithImpulses() {
    Settings settings;
    settings.azimuth = 0.97f;
    settings.elevation = 1.0f;
    settings.distance = 1.0f;
    settings.stereoField = 1.0f;
    return {[](size_t count, uint32_t block) {
                Stereo signal = constant(count, 0.0f, 0.0f);
                for (size_t i = block % 7; i < count; i += 997) signal.left[i] = 0.9f;
                return signal;
            },
            [settings](uint32_t) { return settings; }, [](uint32_t) { return size_t{4096}; }, 6, Mode::replace};
}

TEST(Scenarios, ChecksumsAt44100) {
    for (const InstructionSet isa : runnableInstructionSets()) {
        SCOPED_TRACE(static_cast<int>(isa));
        EXPECT_EQ(run(defaultProgramWithNoise(), 44100.0f, isa), 3602481029392572205ull);
        EXPECT_EQ(run(highQualitySweep(), 44100.0f, isa), 16186086903621142704ull);
        EXPECT_EQ(run(narrowFieldAccumulating(), 44100.0f, isa), 1824860481231556123ull);
        EXPECT_EQ(run(automation(), 44100.0f, isa), 9026151238662814450ull);
        EXPECT_EQ(run(behindWithImpulses(), 44100.0f, isa), 8099825577586107782ull);
    }
}

TEST(Scenarios, ChecksumsAt48000) {
    for (const InstructionSet isa : runnableInstructionSets()) {
        SCOPED_TRACE(static_cast<int>(isa));
        EXPECT_EQ(run(defaultProgramWithNoise(), 48000.0f, isa), 3391025238490012907ull);
        EXPECT_EQ(run(highQualitySweep(), 48000.0f, isa), 4090611440353936187ull);
        EXPECT_EQ(run(narrowFieldAccumulating(), 48000.0f, isa), 5194872232120267297ull);
        EXPECT_EQ(run(automation(), 48000.0f, isa), 651955144708447825ull);
        EXPECT_EQ(run(behindWithImpulses(), 48000.0f, isa), 2145789766322359008ull);
    }
}

TEST(Scenarios, ChecksumsAt96000) {
    for (const InstructionSet isa : runnableInstructionSets()) {
        SCOPED_TRACE(static_cast<int>(isa));
        EXPECT_EQ(run(defaultProgramWithNoise(), 96000.0f, isa), 10418768647604069967ull);
        EXPECT_EQ(run(highQualitySweep(), 96000.0f, isa), 5055651067376191948ull);
        EXPECT_EQ(run(narrowFieldAccumulating(), 96000.0f, isa), 13277867840610077240ull);
        EXPECT_EQ(run(automation(), 96000.0f, isa), 1985835696397000670ull);
        EXPECT_EQ(run(behindWithImpulses(), 96000.0f, isa), 3499440502970136128ull);
    }
}

// The sine table comes from the platform's double-precision sine; rounded to float it must agree.
TEST(Scenarios, SineTableIsTheSameOnEveryBuild) {
    Engine engine;
    engine.update(Settings{});
    const SpatialiserState& s = engine.state();
    EXPECT_EQ(fnv1a(std::vector<float>(s.sineTable, s.sineTable + kTableCapacity)), 16909134799452645742ull);
}

}  // namespace
