// spatialiser-host render --automate: timed parameter changes land on their exact samples.
#include "HostProcess.h"
#include "TestAudio.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

using testing::HasSubstr;

namespace {

constexpr float kLevel = 0.5f;

class Automation : public testing::Test {
protected:
    // Renders a constant input through the probe, so the output shows the gain sample by sample.
    Audio renderConstant(int sampleRate, int64_t frames, const std::string& automation,
                         std::vector<std::string> options = {}) {
        writeAudio(in, makeAudio(sampleRate, 2, frames, [](int, int64_t) { return kLevel; }));
        writeText(automationPath, automation);
        std::vector<std::string> arguments = {"render", PROBE_MODULE, in, out, "--automate", automationPath};
        arguments.insert(arguments.end(), options.begin(), options.end());
        lastRun = runHost(arguments);
        EXPECT_EQ(lastRun.exitCode, 0) << lastRun.err;
        return lastRun.exitCode == 0 ? readAudio(out) : Audio();
    }

    ScratchFolder folder;
    const std::string in = folder / "in.wav";
    const std::string out = folder / "out.wav";
    const std::string automationPath = folder / "moves.txt";
    HostRun lastRun;
};

TEST_F(Automation, StepLandsOnItsExactSampleInsideABlock) {
    // 0.5 s at 48 kHz is frame 24000, in the middle of a 512-frame block.
    const Audio output = renderConstant(48000, 48000, "0.5 Gain 0.25\n", {"--block", "512"});
    ASSERT_EQ(output.channels.size(), 2u);
    for (int channel = 0; channel < 2; ++channel) {
        for (int64_t frame = 0; frame < 24000; ++frame) ASSERT_EQ(output.channels[channel][frame], kLevel) << frame;
        for (int64_t frame = 24000; frame < 48000; ++frame) ASSERT_EQ(output.channels[channel][frame], kLevel * 0.25f) << frame;
    }
    EXPECT_THAT(lastRun.out, HasSubstr("1 parameter changes applied"));
}

TEST_F(Automation, ReadsNamesWithBlanksIndicesCommentsAndAnyOrder) {
    const Audio output = renderConstant(1000, 1000,
                                        "# a comment line\n"
                                        "\n"
                                        "0.3   Left Trim   0.5    # the name holds a blank\n"
                                        "0.1\tOffset\t0.125\n"
                                        "0.2 0 2   # Gain by its index\n");
    ASSERT_EQ(output.channels.size(), 2u);
    const auto& left = output.channels[0];
    EXPECT_EQ(left[99], kLevel);
    EXPECT_EQ(left[100], kLevel + 0.125f);
    EXPECT_EQ(left[199], kLevel + 0.125f);
    EXPECT_EQ(left[200], kLevel * 2 + 0.125f);
    EXPECT_EQ(left[300], (kLevel * 2 + 0.125f) * 0.5f);
    EXPECT_EQ(output.channels[1][300], kLevel * 2 + 0.125f);
}

TEST_F(Automation, RampMovesLinearlyFromThePreviousPoint) {
    const Audio output = renderConstant(8000, 12000, "0 Gain 0\n1 Gain 1 ramp\n");
    ASSERT_EQ(output.channels.size(), 2u);
    const auto& right = output.channels[1];
    for (int64_t frame = 0; frame < 8000; ++frame) {
        // The value is renewed every 32 frames from the ramp's start.
        const float gain = static_cast<float>((frame / 32 * 32) / 8000.0);
        ASSERT_NEAR(right[frame], kLevel * gain, 1e-6) << frame;
    }
    for (int64_t frame = 8000; frame < 12000; ++frame) ASSERT_EQ(right[frame], kLevel) << frame;
}

TEST_F(Automation, RampWithoutAnEarlierPointStartsFromTheStartingValue) {
    const Audio output = renderConstant(8000, 8000, "0.5 Gain 0.6 ramp\n", {"--set", "Gain=0.2"});
    ASSERT_EQ(output.channels.size(), 2u);
    const auto& right = output.channels[1];
    EXPECT_EQ(right[0], kLevel * 0.2f);
    EXPECT_NEAR(right[2016], kLevel * (0.2f + 0.4f * 2016 / 4000), 1e-6);  // 2016: a whole number of steps in
    EXPECT_EQ(right[4000], kLevel * 0.6f);
}

TEST_F(Automation, PointsPastTheEndAreIgnoredAndRampsTowardThemStillMove) {
    const Audio output = renderConstant(1000, 1000, "0 Gain 0\n2 Gain 1 ramp\n5 Offset 1\n");
    ASSERT_EQ(output.channels.size(), 2u);
    EXPECT_NEAR(output.channels[1][992], kLevel * 0.496f, 1e-6);  // half way to frame 2000
    EXPECT_THAT(lastRun.out, HasSubstr("32 parameter changes applied"));
}

struct BadAutomation {
    std::string text;
    std::string message;
};

void PrintTo(const BadAutomation& bad, std::ostream* out) {
    *out << bad.text;
}

class AutomationErrors : public testing::TestWithParam<BadAutomation> {};

TEST_P(AutomationErrors, NameTheFileAndLine) {
    ScratchFolder folder;
    writeAudio(folder / "in.wav", makeAudio(8000, 2, 100, [](int, int64_t) { return 0.1f; }));
    writeText(folder / "moves.txt", "0 Gain 1\n" + GetParam().text + "\n");
    const HostRun run = runHost({"render", PROBE_MODULE, folder / "in.wav", folder / "out.wav", "--automate", folder / "moves.txt"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "spatialiser-host: " + (folder / "moves.txt") + ", line 2: " + GetParam().message + "\n");
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"in.wav", "moves.txt"}));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, AutomationErrors,
    testing::Values(BadAutomation{"0.5 Volume 1", "unknown parameter \"Volume\""},
                    BadAutomation{"0.5 Gain loud", "value \"loud\" for parameter \"Gain\" is not a number"},
                    BadAutomation{"0.5 Gain nan", "value \"nan\" for parameter \"Gain\" is not a number"},
                    BadAutomation{"-1 Gain 1", "time \"-1\" is not a number of seconds from 0 on"},
                    BadAutomation{"soon Gain 1", "time \"soon\" is not a number of seconds from 0 on"},
                    BadAutomation{"0.5 Gain", "expected TIME PARAMETER VALUE [ramp]"},
                    BadAutomation{"0.5 7 1", "parameter index 7 is out of range (the module has 3 parameters)"}));

TEST(AutomationFile, MissingFileIsOneClearError) {
    ScratchFolder folder;
    writeAudio(folder / "in.wav", makeAudio(8000, 2, 100, [](int, int64_t) { return 0.1f; }));
    const HostRun run = runHost({"render", PROBE_MODULE, folder / "in.wav", folder / "out.wav", "--automate", folder / "none.txt"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "spatialiser-host: cannot read automation file " + (folder / "none.txt") + "\n");
}

}  // namespace
