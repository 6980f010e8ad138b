// spatialiser-host render through the probe effect: what the host tells the module, how the
// audio flows through it and which file comes out.
#include "HostProcess.h"
#include "ProbeLog.h"
#include "TestAudio.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

using testing::HasSubstr;

namespace {

// A sine per channel, of different frequencies, so that swapped channels show.
float testTone(int channel, int64_t frame) {
    return 0.5f * std::sin(static_cast<float>(frame) * (channel == 0 ? 0.05f : 0.09f));
}

class Render : public testing::Test {
protected:
    HostRun render(const Audio& input, std::vector<std::string> options, int format = SF_FORMAT_WAV | SF_FORMAT_FLOAT) {
        writeAudio(in, input, format);
        std::vector<std::string> arguments = {"render", PROBE_MODULE, in, out};
        arguments.insert(arguments.end(), options.begin(), options.end());
        HostRun run = runHost(arguments, {{"SPATIALISER_PROBE_LOG", logPath}});
        log = readProbeLog(logPath);
        return run;
    }

    ScratchFolder folder;
    const std::string in = folder / "in.wav";
    const std::string out = folder / "out.wav";
    const std::string logPath = folder / "probe.log";
    ProbeLog log;
};

TEST_F(Render, MonoInputFeedsBothInputsAndKeepsTheFormat) {
    const Audio input = makeAudio(48000, 1, 3000, testTone);
    const HostRun run = render(input, {}, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");

    const Audio output = readAudio(out);
    EXPECT_EQ(output.sampleRate, 48000);
    EXPECT_EQ(output.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    ASSERT_EQ(output.channels.size(), 2u);
    const Audio reread = readAudio(in);  // the input as 16-bit samples
    EXPECT_EQ(output.channels[0], reread.channels[0]);
    EXPECT_EQ(output.channels[1], reread.channels[0]);
    EXPECT_THAT(run.out, HasSubstr("2 channels, 48000 Hz"));
    EXPECT_THAT(run.out, HasSubstr("(3000 frames), blocks of 512 through processReplacing"));
}

TEST_F(Render, TellsTheModuleRateAndBlockSizeAndResumesAroundTheAudio) {
    const HostRun run = render(makeAudio(96000, 2, 2000, testTone), {"--block", "300"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(log["opened"], "1");
    EXPECT_EQ(log["sampleRate"], "96000");
    EXPECT_EQ(log["blockSize"], "300");
    EXPECT_EQ(log["hostSampleRate"], "96000");  // asked back through the callback while resuming
    EXPECT_EQ(log["hostBlockSize"], "300");
    EXPECT_EQ(log["hostVersionAtEntry"], "2400");
    EXPECT_EQ(log["resumes"], "1");
    EXPECT_EQ(log["suspends"], "1");
    EXPECT_EQ(log["callsWhileSuspended"], "0");
    EXPECT_EQ(log["callsOverBlockSize"], "0");
    EXPECT_EQ(log["largestCall"], "300");
    EXPECT_EQ(log["replacingFrames"], "2000");
    EXPECT_EQ(log["accumulatingFrames"], "0");
}

TEST_F(Render, AnswersCapabilityQuestions) {
    ASSERT_EQ(render(makeAudio(44100, 2, 10, testTone), {}).exitCode, 0);
    EXPECT_EQ(log["canDoKnown"], "-1");  // a capability this host does not offer
    EXPECT_EQ(log["canDoUnknown"], "0");
}

TEST_F(Render, AccumulateRendersThroughProcessIntoZeroedOutputs) {
    const Audio input = makeAudio(44100, 2, 1500, testTone);
    const HostRun run = render(input, {"--accumulate", "--block", "256", "--set", "Gain=0.5"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(log["accumulatingFrames"], "1500");
    EXPECT_EQ(log["replacingFrames"], "0");
    const Audio output = readAudio(out);
    for (int channel = 0; channel < 2; ++channel) {
        for (int64_t frame = 0; frame < 1500; ++frame) {
            ASSERT_EQ(output.channels[channel][frame], input.channels[channel][frame] * 0.5f) << frame;
        }
    }
}

TEST_F(Render, TailRendersSilenceThroughTheModule) {
    // With an offset the module's answer to silence is not silence: the tail must come from it.
    const HostRun run = render(makeAudio(8000, 2, 1000, testTone), {"--tail", "0.5", "--set", "Offset=0.25"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Audio output = readAudio(out);
    ASSERT_EQ(output.frames(), 1000 + 4000);
    for (int64_t frame = 1000; frame < output.frames(); ++frame) ASSERT_EQ(output.channels[1][frame], 0.25f) << frame;
    EXPECT_EQ(log["replacingFrames"], "5000");
}

TEST_F(Render, AModuleWithoutInputsRendersForTheLengthOfTheInput) {
    writeAudio(in, makeAudio(8000, 2, 1000, testTone));
    const HostRun run = runHost({"render", PROBE_MODULE, in, out, "--set", "Offset=0.25"},
                                {{"SPATIALISER_PROBE_INPUTS", "0"}});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Audio output = readAudio(out);
    ASSERT_EQ(output.channels.size(), 2u);
    EXPECT_EQ(output.channels[1], std::vector<float>(1000, 0.25f));
}

TEST_F(Render, SetsParametersByNameWithOrWithoutTrailingBlanksAndByIndex) {
    const Audio input = makeAudio(44100, 2, 800, testTone);
    for (const std::string offset : {"Offset=0.125", "Offset  =0.125", "1=0.125"}) {
        const HostRun run = render(input, {"--set", "Gain=0.5", "--set", offset, "--set", "Left Trim=0.5"});
        ASSERT_EQ(run.exitCode, 0) << offset << ": " << run.err;
        const Audio output = readAudio(out);
        for (int64_t frame = 0; frame < 800; ++frame) {
            ASSERT_EQ(output.channels[0][frame], (input.channels[0][frame] * 0.5f + 0.125f) * 0.5f) << offset;
            ASSERT_EQ(output.channels[1][frame], input.channels[1][frame] * 0.5f + 0.125f) << offset;
        }
    }
}

TEST_F(Render, ProgramComesBeforeSingleSettings) {
    const Audio input = makeAudio(44100, 2, 100, [](int, int64_t) { return 0.5f; });
    ASSERT_EQ(render(input, {"--program", "1"}).exitCode, 0);
    EXPECT_EQ(readAudio(out).channels[1][50], 0.25f);
    ASSERT_EQ(render(input, {"--set", "Gain=0.3", "--program", "2"}).exitCode, 0);
    EXPECT_EQ(readAudio(out).channels[1][50], 0.5f * 0.3f);
}

TEST_F(Render, WritesTheChosenContainerAndSampleFormat) {
    const Audio input = makeAudio(44100, 2, 500, testTone);
    struct Choice {
        std::vector<std::string> options;
        int format;
    };
    const Choice choices[] = {
        {{}, SF_FORMAT_WAV | SF_FORMAT_FLOAT},
        {{"--format", "flac"}, SF_FORMAT_FLAC | SF_FORMAT_PCM_24},  // FLAC holds no floats: 24-bit
        {{"--format", "flac", "--bits", "16"}, SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
        {{"--format", "aiff", "--bits", "32f"}, SF_FORMAT_AIFF | SF_FORMAT_FLOAT},
        {{"--bits", "24"}, SF_FORMAT_WAV | SF_FORMAT_PCM_24},
    };
    for (const Choice& choice : choices) {
        const HostRun run = render(input, choice.options);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const Audio output = readAudio(out);
        EXPECT_EQ(output.format, choice.format) << testing::PrintToString(choice.options);
        EXPECT_EQ(output.frames(), 500);
        EXPECT_NEAR(output.channels[0][123], input.channels[0][123], 1e-4);
    }
}

TEST_F(Render, ReadsAnyFormatLibsndfileReads) {
    const std::string flacIn = folder / "in.flac";
    writeAudio(flacIn, makeAudio(22050, 2, 700, testTone), SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    const HostRun run = runHost({"render", PROBE_MODULE, flacIn, out});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Audio output = readAudio(out);
    EXPECT_EQ(output.format, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);  // the input's format, whatever OUT is called
    EXPECT_EQ(output.sampleRate, 22050);
    EXPECT_EQ(output.frames(), 700);
}

TEST_F(Render, ReplacesAnExistingOutputAndLeavesNothingElseBehind) {
    writeText(out, "old contents");
    ASSERT_EQ(render(makeAudio(44100, 2, 100, testTone), {}).exitCode, 0);
    EXPECT_EQ(readAudio(out).frames(), 100);
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"in.wav", "out.wav", "probe.log"}));
}

TEST_F(Render, NonFiniteOutputIsWrittenAsSilence) {
    Audio input = makeAudio(44100, 2, 100, testTone);
    input.channels[0][10] = std::nanf("");
    input.channels[1][20] = INFINITY;
    const HostRun run = render(input, {"--bits", "16"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Audio output = readAudio(out);
    EXPECT_EQ(output.channels[0][10], 0.0f);
    EXPECT_EQ(output.channels[1][20], 0.0f);
    EXPECT_THAT(run.out, HasSubstr("2 samples that were not finite; written as 0"));
}

}  // namespace
