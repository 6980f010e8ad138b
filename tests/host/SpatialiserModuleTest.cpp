// Our own module through the host: other sample rates, a source to one side, and the demo's flight.
#include "HostProcess.h"
#include "TestAudio.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

class SpatialiserModule : public testing::Test {
protected:
    void SetUp() override {
        if (std::string(SPATIALISER_MODULE).empty()) GTEST_SKIP() << "this build has no spatialiser module yet";
    }

    ScratchFolder folder;
};

// Plucked-string-like bursts: broadband enough to show what the filters do.
float bursts(int, int64_t frame) {
    const int64_t phase = frame % 11025;
    return 0.4f * std::exp(-static_cast<float>(phase) / 2000.0f) * std::sin(static_cast<float>(frame) * 0.07f) *
           std::sin(static_cast<float>(frame) * 0.013f);
}

double decibels(double level) {
    return 20.0 * std::log10(level + 1e-12);
}

void expectFiniteAndAudible(const Audio& output) {
    for (const auto& channel : output.channels) {
        for (float sample : channel) ASSERT_TRUE(std::isfinite(sample));
        EXPECT_GT(rms(channel, 0, output.frames()), 1e-3);
    }
}

TEST_F(SpatialiserModule, InfoShowsItsRecordAndParameters) {
    const HostRun run = runHost({"info", SPATIALISER_MODULE});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("unique ID       'vQrt'"), std::string::npos);
    EXPECT_NE(run.out.find("  4  \"Az.Sldr \"  \"Az.Sldr \"  \"0.50000\"  0.5  automatable\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("  63  \""), std::string::npos);  // 64 programs
}

TEST_F(SpatialiserModule, RendersAt48And96Kilohertz) {
    for (const int rate : {48000, 96000}) {
        writeAudio(folder / "in.wav", makeAudio(rate, 1, rate, bursts));
        const HostRun run = runHost({"render", SPATIALISER_MODULE, folder / "in.wav", folder / "out.wav", "--tail", "0.5"});
        ASSERT_EQ(run.exitCode, 0) << rate << ": " << run.err;
        const Audio output = readAudio(folder / "out.wav");
        EXPECT_EQ(output.sampleRate, rate);
        ASSERT_EQ(output.channels.size(), 2u);
        EXPECT_EQ(output.frames(), rate + rate / 2);
        expectFiniteAndAudible(output);
    }
}

TEST_F(SpatialiserModule, SourceToOneSideIsLouderOnThatSide) {
    writeAudio(folder / "in.wav", makeAudio(44100, 2, 44100, bursts));
    for (const auto& [azimuth, leftLouder] : {std::pair{"0.25", true}, std::pair{"0.75", false}}) {
        const HostRun run = runHost({"render", SPATIALISER_MODULE, folder / "in.wav", folder / "out.wav", "--set",
                                     std::string("Az.Sldr=") + azimuth});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const Audio output = readAudio(folder / "out.wav");
        ASSERT_EQ(output.channels.size(), 2u);
        const double difference = decibels(rms(output.channels[0], 0, output.frames())) -
                                  decibels(rms(output.channels[1], 0, output.frames()));
        EXPECT_GT(leftLouder ? difference : -difference, 3.0) << "azimuth " << azimuth;
    }
}

// The settings reach the module before the sample rate, from which its engine takes its
// starting position: the first 50 ms already sound from the side, as the rest of the second does.
TEST_F(SpatialiserModule, StartsAtTheSettingsWithoutGlidingFromTheDefaults) {
    writeAudio(folder / "in.wav", makeAudio(44100, 2, 44100, bursts));
    const HostRun run = runHost({"render", SPATIALISER_MODULE, folder / "in.wav", folder / "out.wav", "--set",
                                 "Az.Sldr=0.25"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Audio output = readAudio(folder / "out.wav");
    ASSERT_EQ(output.channels.size(), 2u);
    const auto leftOverRight = [&output](int64_t begin, int64_t end) {
        return decibels(rms(output.channels[0], begin, end)) - decibels(rms(output.channels[1], begin, end));
    };
    const double start = leftOverRight(0, 2205);
    EXPECT_GT(start, 3.0);
    EXPECT_NEAR(start, leftOverRight(22050, 44100), 1.5);
}

TEST_F(SpatialiserModule, DemoFlightCarriesTheSourceFromSideToSide) {
    const HostRun run = runHost({"render", SPATIALISER_MODULE, DEMO_SOURCE, folder / "demo.wav", "--automate",
                                 DEMO_AUTOMATION, "--tail", "2"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Audio output = readAudio(folder / "demo.wav");
    ASSERT_EQ(output.channels.size(), 2u);
    expectFiniteAndAudible(output);

    // Channel balance around the moments the flight passes the left (2.5 s) and the right (7.5 s).
    const auto balanceAround = [&](double seconds) {
        const int64_t middle = static_cast<int64_t>(seconds * output.sampleRate);
        const int64_t half = output.sampleRate / 2;
        return decibels(rms(output.channels[0], middle - half, middle + half)) -
               decibels(rms(output.channels[1], middle - half, middle + half));
    };
    EXPECT_GT(balanceAround(2.5), 3.0);
    EXPECT_LT(balanceAround(7.5), -3.0);
}

}  // namespace
