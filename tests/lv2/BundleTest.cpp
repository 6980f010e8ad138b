// The built bundle as hosts see it: the validator over its Turtle, lilv's lv2info over the
// bundle, the DSP binary's imports and exports, and lv2apply against spatialiser-host rendering
// the VST module with the same settings.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <sstream>

#include "../host/HostProcess.h"
#include "../host/TestAudio.h"
#include "lv2/PortTable.h"
#include "lv2/Presets.h"

namespace {

const std::string kBundle = LV2_BUNDLE;

// %.9g: the text a host reads back as the very float.
std::string text(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
    return buffer;
}

// Each test sees the bundle alone on LV2_PATH, beside LV2's core bundle, through a folder of its
// own.
class Bundle : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory_symlink(kBundle, folder / "spatialiser.lv2");
        // LV2's core bundle (lv2core.ttl) names the plug-in's class.
        std::filesystem::create_directory_symlink("/usr/lib/lv2/core.lv2", folder / "core.lv2");
        lilvEnvironment = {{"LV2_PATH", folder / ""}};
        if (!std::string(SANITIZER_RUNTIME).empty()) {
            // The tools' own leaks are not ours to report.
            lilvEnvironment.insert({{"LD_PRELOAD", SANITIZER_RUNTIME}, {"ASAN_OPTIONS", "detect_leaks=0"}});
        }
    }

    HostRun lilv(std::vector<std::string> commandLine) { return runProgram(std::move(commandLine), lilvEnvironment); }

    ScratchFolder folder;
    std::map<std::string, std::string> lilvEnvironment;
};

TEST_F(Bundle, ValidatorFindsNoErrorInItsTurtle) {
    const HostRun run = runProgram({"lv2_validate", kBundle + "/manifest.ttl", kBundle + "/spatialiser.ttl",
                                    kBundle + "/presets.ttl"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Found 0 errors"), std::string::npos) << run.out << run.err;
    EXPECT_EQ(run.err.find("error"), std::string::npos) << run.err;
}

TEST_F(Bundle, Lv2infoListsThePortsTheirRangesDefaultsAndScalePointsTheUiAndThePresets) {
    const HostRun list = lilv({"lv2ls"});
    EXPECT_EQ(list.out, std::string(kPluginUri) + "\n") << list.err;
    const HostRun run = lilv({"lv2info", kPluginUri});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string& info = run.out;
    for (const char* line : {"Name:              Spatialiser", "Class:             Spatial Plugin",
                             "Optional Features: http://lv2plug.in/ns/lv2core#hardRTCapable", kUiUri,
                             "Class:  http://lv2plug.in/ns/extensions/ui#X11UI"})
        EXPECT_NE(info.find(line), std::string::npos) << line << "\n" << info;
    EXPECT_EQ(info.find("Required Features"), std::string::npos);
    const char* const audio[] = {"in_left", "in_right", "out_left", "out_right"};
    for (uint32_t port = 0; port < kPortCount; ++port) {
        const size_t start = info.find("\tPort " + std::to_string(port) + ":\n");
        ASSERT_NE(start, std::string::npos) << port;
        const std::string section = info.substr(start, info.find("\tPort ", start + 1) - start);
        const bool output = port == kPortOutLeft || port == kPortOutRight;
        EXPECT_NE(section.find(output ? "lv2core#OutputPort" : "lv2core#InputPort"), std::string::npos) << section;
        if (port < kFirstControlPort) {
            EXPECT_NE(section.find("lv2core#AudioPort"), std::string::npos) << section;
            EXPECT_NE(section.find(std::string("Symbol:      ") + audio[port]), std::string::npos) << section;
            continue;
        }
        EXPECT_NE(section.find("lv2core#ControlPort"), std::string::npos) << section;
        const ControlPort& control = kControlPorts[port - kFirstControlPort];
        char range[160];
        std::snprintf(range, sizeof range, "Minimum:     0.000000\n\t\tMaximum:     1.000000\n\t\tDefault:     %f",
                      static_cast<double>(kParameterTable[control.parameter].defaultValue));
        for (const std::string& expected : {std::string("Symbol:      ") + control.symbol,
                                            std::string("Name:        ") + control.name, std::string(range)})
            EXPECT_NE(section.find(expected), std::string::npos) << expected << "\n" << section;
        if (control.parameter == kQuality) {
            EXPECT_NE(section.find("lv2core#toggled"), std::string::npos);
        }
    }
    for (const char* point : {"0.0 = \"Sine\"", "0.5 = \"Inverted ramp\"", "1.0 = \"Ramp\"", "0.0 = \"Absorb\"",
                              "0.333333343 = \"Normal\"", "0.666666687 = \"Reflect\"", "1.0 = \"Sustain\""})
        EXPECT_NE(info.find(point), std::string::npos) << point;
    for (const Lv2Preset& preset : kPresets)
        EXPECT_NE(info.find(std::string("\t         ") + preset.name + "\n"), std::string::npos) << preset.name;
}

TEST_F(Bundle, DspBinaryNeedsOnlyTheCLibraryLibmAndTheLoaderAndExportsItsDescriptorAlone) {
    if (SPATIALISER_SANITIZED) GTEST_SKIP() << "a sanitizer build links the sanitizers' runtimes";
    const std::string binary = kBundle + "/spatialiser_dsp.so";
    const HostRun dynamic = runProgram({"readelf", "-d", "-W", binary});
    ASSERT_EQ(dynamic.exitCode, 0) << dynamic.err;
    std::set<std::string> needed;
    std::istringstream lines(dynamic.out);
    for (std::string line; std::getline(lines, line);) {
        const size_t open = line.find("(NEEDED)");
        if (open != std::string::npos) needed.insert(line.substr(line.find('[') + 1, line.find(']') - line.find('[') - 1));
    }
    EXPECT_EQ(needed, (std::set<std::string>{"libc.so.6", "libm.so.6", "ld-linux-x86-64.so.2"}));
    const HostRun symbols = runProgram({"nm", "-D", "--defined-only", binary});
    ASSERT_EQ(symbols.exitCode, 0) << symbols.err;
    EXPECT_NE(symbols.out.find(" T lv2_descriptor\n"), std::string::npos) << symbols.out;
    EXPECT_EQ(std::count(symbols.out.begin(), symbols.out.end(), '\n'), 1) << symbols.out;
}

struct RenderCase {
    const char* name;
    std::vector<std::pair<const char*, float>> controls;  // in the order of the parameters' indices
};

const RenderCase kRenderCases[] = {
    {"defaults", {}},
    {"modulation", {{"az_depth", 0.7f}, {"az_speed", 0.5f}, {"el_depth", 0.6f}, {"el_speed", 0.4f}}},
    {"absorb", {{"reflections", 0.0f}}},
    {"normal, high quality", {{"quality", 1.0f}, {"reflections", 1.0f / 3.0f}}},
    {"reflect", {{"reflections", 2.0f / 3.0f}}},
    {"sustain, high quality", {{"quality", 1.0f}, {"reflections", 1.0f}}},
    {"ramp with a depth", {{"az_depth", 0.3f}, {"az_speed", 0.3f}, {"az_waveform", 1.0f}}},
    {"inverted ramp, placed", {{"azimuth", 0.2f}, {"distance", 0.9f}, {"elevation", 0.7f}, {"az_speed", 0.8f},
                               {"az_waveform", 0.5f}, {"stereo_field", 0.0f}}},
};

int32_t parameterOfSymbol(const std::string& symbol) {
    for (const ControlPort& port : kControlPorts)
        if (symbol == port.symbol) return port.parameter;
    ADD_FAILURE() << symbol;
    return 0;
}

bool sameSamples(const Audio& a, const Audio& b) {
    if (a.channels.size() != b.channels.size() || a.frames() != b.frames()) return false;
    for (size_t c = 0; c < a.channels.size(); ++c)
        if (std::memcmp(a.channels[c].data(), b.channels[c].data(), a.channels[c].size() * sizeof(float)) != 0) return false;
    return true;
}

// lv2apply runs the plug-in one frame at a time; the VST module renders blocks of 1 as well as
// the host's usual 512, which shows the engine keeps the same bits whatever the blocking. At
// 48 kHz every setting restarts the VST module's engine when its rate is set (see
// tests/lv2/EquivalenceTest.cpp for the one that does not at 44.1 kHz).
TEST_F(Bundle, Lv2applyGivesTheVstModulesBitsForEachSetting) {
    if (std::string(SPATIALISER_MODULE).empty()) GTEST_SKIP() << "this build has no VST module";
    if (SPATIALISER_SANITIZED && std::string(SANITIZER_RUNTIME).empty())
        GTEST_SKIP() << "lv2apply cannot load a DSP binary built with this sanitizer";
    const Audio input = makeAudio(48000, 2, 12000, [](int channel, int64_t frame) {
        const float t = static_cast<float>(frame);
        return channel == 0 ? 0.4f * std::sin(t * 0.031f) * std::sin(t * 0.0007f) : 0.3f * std::sin(t * 0.11f + 1.0f);
    });
    writeAudio(folder / "in.wav", input);
    for (const RenderCase& test : kRenderCases) {
        std::vector<std::string> lv2apply = {"lv2apply", "-i", folder / "in.wav", "-o", folder / "lv2.wav"};
        std::vector<std::string> settings;
        for (const auto& [symbol, value] : test.controls) {
            lv2apply.insert(lv2apply.end(), {"-c", symbol, text(value)});
            settings.insert(settings.end(), {"--set", std::to_string(parameterOfSymbol(symbol)) + "=" + text(value)});
        }
        lv2apply.push_back(kPluginUri);
        const HostRun lv2 = lilv(lv2apply);
        ASSERT_EQ(lv2.exitCode, 0) << test.name << ": " << lv2.err;
        const Audio lv2Output = readAudio(folder / "lv2.wav");
        ASSERT_EQ(lv2Output.frames(), input.frames()) << test.name;
        for (const char* block : {"1", "512"}) {
            std::vector<std::string> render = {"render", SPATIALISER_MODULE, folder / "in.wav", folder / "vst.wav",
                                               "--block", block};
            render.insert(render.end(), settings.begin(), settings.end());
            const HostRun vst = runHost(render);
            ASSERT_EQ(vst.exitCode, 0) << test.name << ": " << vst.err;
            EXPECT_TRUE(sameSamples(lv2Output, readAudio(folder / "vst.wav"))) << test.name << ", VST blocks of " << block;
        }
    }
}

}  // namespace
