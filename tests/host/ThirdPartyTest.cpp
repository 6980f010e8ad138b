// The host speaks the interface, not just our module: a third-party VST 2.x plug-in from the
// distribution (a ping-pong panner) lists and renders through it.
#include "HostProcess.h"
#include "TestAudio.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using testing::HasSubstr;

namespace {

class ThirdParty : public testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(THIRD_PARTY_MODULE)) GTEST_SKIP() << THIRD_PARTY_MODULE << " is not installed";
    }
};

TEST_F(ThirdParty, InfoListsItsParameters) {
    const HostRun run = runHost({"info", THIRD_PARTY_MODULE});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("magic           'VstP'"));
    EXPECT_THAT(run.out, HasSubstr("  0  \"Frequency\""));
    EXPECT_THAT(run.out, HasSubstr("  1  \"Width\""));
}

TEST_F(ThirdParty, RendersAMovingStereoImage) {
    ScratchFolder folder;
    constexpr int kRate = 44100;
    writeAudio(folder / "in.wav",
               makeAudio(kRate, 2, 2 * kRate, [](int, int64_t frame) { return 0.3f * std::sin(frame * 0.04f); }));
    writeText(folder / "moves.txt", "0 Frequency 0.3\n1 Frequency 0.8 ramp\n");
    const HostRun run = runHost({"render", THIRD_PARTY_MODULE, folder / "in.wav", folder / "out.wav", "--set",
                                 "Width=1", "--automate", folder / "moves.txt"});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const Audio output = readAudio(folder / "out.wav");
    ASSERT_EQ(output.channels.size(), 2u);
    ASSERT_EQ(output.frames(), 2 * kRate);
    // Identical input channels come out panned: somewhere one side is far louder than the other.
    double largestDifference = 0.0;
    for (int64_t start = 0; start + 2205 <= output.frames(); start += 2205) {
        const double left = rms(output.channels[0], start, start + 2205);
        const double right = rms(output.channels[1], start, start + 2205);
        ASSERT_TRUE(std::isfinite(left) && std::isfinite(right));
        largestDifference = std::max(largestDifference, std::fabs(20.0 * std::log10((left + 1e-9) / (right + 1e-9))));
    }
    EXPECT_GT(largestDifference, 6.0);
    EXPECT_GT(rms(output.channels[0], 0, output.frames()), 0.01);
}

}  // namespace
