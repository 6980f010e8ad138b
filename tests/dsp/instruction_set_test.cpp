// The render loop's AVX2 build against its SSE2 build: the same output bits and the same state
// after every block, over settings, block sizes and modes that reach every branch of the loop.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "engine_harness.h"

namespace {

// The whole records apart from the field that names the build.
bool sameState(SpatialiserState& a, SpatialiserState& b) {
    const int32_t kept = b.instructionSet;
    b.instructionSet = a.instructionSet;
    const bool same = std::memcmp(&a, &b, sizeof a) == 0;
    b.instructionSet = kept;
    return same;
}

Settings randomSettings(Noise& random) {
    const auto unit = [&random] { return static_cast<float>(random.nextBits() >> 8) / 16777215.0f; };
    Settings s;
    s.azimuth = random.nextBits() % 5 == 0 ? (random.nextBits() % 2 ? 0.95f : -0.97f) : unit() * 2.0f - 1.0f;
    s.azimuthSpeed = unit();
    s.azimuthDepth = random.nextBits() % 4 == 0 ? 0.0f : unit();
    s.waveform = static_cast<float>(random.nextBits() % 3);
    s.elevation = unit();
    s.elevationSpeed = unit();
    s.elevationDepth = unit();
    s.distance = unit();
    s.stereoField = random.nextBits() % 2 ? 1.0f : unit();
    s.quality = random.nextBits() % 2 ? 1.0f : 0.0f;
    s.reflectionPattern = random.nextBits() % 3 == 0 ? unit() : static_cast<float>(random.nextBits() % 4) / 3.0f;
    return s;
}

TEST(InstructionSets, TheFirstUpdateChoosesTheFastestAndEveryBuildGivesTheSameBits) {
    Engine chosen;
    chosen.update(Settings{});
    EXPECT_EQ(chosen.state().instructionSet, static_cast<int32_t>(fastestInstructionSet()));
    if (fastestInstructionSet() != InstructionSet::avx2) GTEST_SKIP() << "this processor has no AVX2";

    for (const float rate : {44100.0f, 48000.0f, 96000.0f}) {
        Noise random(static_cast<uint32_t>(rate));
        for (int scenario = 0; scenario < 12; ++scenario) {
            Engine plain(InstructionSet::sse2);
            Engine wide(InstructionSet::avx2);
            spatialiserSetSampleRate(rate, &plain.state());
            spatialiserSetSampleRate(rate, &wide.state());
            Settings settings = randomSettings(random);
            for (int block = 0; block < 60; ++block) {
                if (block % 7 == 0) settings = randomSettings(random);
                plain.update(settings);
                wide.update(settings);
                // Short, odd and long blocks: one sub-block, split halves, several sub-blocks.
                const size_t sizes[] = {1, 3, 16, 17, 31, 32, 45, 64, 65, 129, 512};
                const size_t count = sizes[random.nextBits() % std::size(sizes)];
                Stereo input = noise(count, random.nextBits());
                if (block % 11 == 5) input.left[count / 2] = 1e30f;  // held to the input limit
                const int mode = block % 3;
                Stereo plainOut = constant(count, 0.25f, -0.5f);
                Stereo wideOut = plainOut;
                if (mode == 0) {
                    plainOut = plain.replace(input);
                    wideOut = wide.replace(input);
                } else if (mode == 1) {
                    spatialiserProcess(input.left.data(), input.right.data(), plainOut.left.data(), plainOut.right.data(),
                                       static_cast<int32_t>(count), &plain.state());
                    spatialiserProcess(input.left.data(), input.right.data(), wideOut.left.data(), wideOut.right.data(),
                                       static_cast<int32_t>(count), &wide.state());
                } else {
                    plainOut = input;
                    wideOut = input;
                    spatialiserProcessReplacing(plainOut.left.data(), plainOut.right.data(), plainOut.left.data(),
                                                plainOut.right.data(), static_cast<int32_t>(count), &plain.state());
                    spatialiserProcessReplacing(wideOut.left.data(), wideOut.right.data(), wideOut.left.data(),
                                                wideOut.right.data(), static_cast<int32_t>(count), &wide.state());
                }
                ASSERT_EQ(fnv1a(wideOut.left), fnv1a(plainOut.left)) << rate << " " << scenario << " " << block;
                ASSERT_EQ(fnv1a(wideOut.right), fnv1a(plainOut.right)) << rate << " " << scenario << " " << block;
                ASSERT_TRUE(sameState(plain.state(), wide.state())) << rate << " " << scenario << " " << block;
            }
        }
    }
}

}  // namespace
