// spatialiser-host validate: our module passes every group; each faulty module fails the one group
// its fault belongs to, with a line that says what happened, and every other group still runs and
// passes; a third-party module is taken through every group to the summary.
#include "HostProcess.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using testing::HasSubstr;
using testing::StartsWith;

namespace {

const char* const kGroups[] = {"load", "opcodes", "audio", "parameters", "programs", "threads", "editor", "instances"};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) result.push_back(line);
    return result;
}

// The run's verdict for each group, in order, then the summary line.
void expectVerdicts(const HostRun& run, const std::string& failingGroup, const std::string& failure) {
    const std::vector<std::string> report = lines(run.out);
    ASSERT_EQ(report.size(), std::size(kGroups) + 1) << run.out << run.err;
    for (size_t i = 0; i < std::size(kGroups); ++i) {
        const std::string group = kGroups[i];
        if (group == failingGroup) {
            EXPECT_THAT(report[i], StartsWith("FAIL " + group + ": "));
            EXPECT_THAT(report[i], HasSubstr(failure));
        } else {
            EXPECT_THAT(report[i], StartsWith("PASS " + group + ": ")) << run.err;
        }
    }
    EXPECT_EQ(report.back(), failingGroup.empty() ? "8 passed, 0 failed" : "7 passed, 1 failed");
    EXPECT_EQ(run.exitCode, failingGroup.empty() ? 0 : 1);
}

TEST(Validate, OurModulePassesEveryGroup) {
    if (std::string(SPATIALISER_MODULE).empty()) GTEST_SKIP() << "this build has no module";
    expectVerdicts(runHost({"validate", SPATIALISER_MODULE}), "", "");
}

TEST(Validate, ACrashInAnOpcodeFailsTheOpcodesGroupAndSaysWhere) {
    // A signal in the plain build; under AddressSanitizer its report and exit status instead.
    expectVerdicts(runHost({"validate", CRASH_IN_OPCODE_MODULE}), "opcodes", "during effGetParameterProperties (56)");
}

TEST(Validate, AWritePastATextBufferFailsTheParametersGroup) {
    expectVerdicts(runHost({"validate", TEXT_OVERFLOW_MODULE}), "parameters",
                   "effGetParamDisplay after parameter 0 set to 1000000015047466219876688855040.000000 wrote past its 9-byte buffer");
}

TEST(Validate, NaNOutputFailsTheAudioGroup) {
    expectVerdicts(runHost({"validate", NAN_OUTPUT_MODULE}), "audio", "silence gave NaN");
}

TEST(Validate, AHangIsStoppedAtTheTimeLimitAndFailsOnlyItsGroup) {
    expectVerdicts(runHost({"validate", HANG_MODULE, "--seconds", "8"}), "threads", "no end within 8 s (hung during round");
}

TEST(Validate, OnlyRunsOneGroup) {
    const HostRun run = runHost({"validate", NAN_OUTPUT_MODULE, "--only", "programs"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(lines(run.out).size(), 2u);
    EXPECT_THAT(run.out, HasSubstr("PASS programs: "));
    EXPECT_THAT(run.out, HasSubstr("1 passed, 0 failed"));
}

TEST(Validate, WrongCommandLinesAreUsageErrors) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"validate"}, {"validate", "a.so", "b.so"}, {"validate", "a.so", "--only", "nothing"},
          {"validate", "a.so", "--seconds", "0"}, {"validate", "a.so", "--block", "64"},
          {"render", "a.so", "in.wav", "out.wav", "--only", "audio"}}) {
        const HostRun run = runHost(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.back();
        EXPECT_THAT(run.err, HasSubstr("see spatialiser-host --help"));
    }
}

TEST(Validate, AModuleThatCannotBeLoadedFailsEveryGroup) {
    const HostRun run = runHost({"validate", NULL_ENTRY_MODULE, "--only", "load"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.out, HasSubstr("FAIL load: "));
    EXPECT_THAT(run.out, HasSubstr("0 passed, 1 failed"));
}

// The distribution's ping-pong panner: whatever it does, every group ends in a verdict.
TEST(Validate, RunsAThirdPartyModuleToTheEnd) {
    if (!std::filesystem::exists(THIRD_PARTY_MODULE)) GTEST_SKIP() << THIRD_PARTY_MODULE << " is not installed";
    const HostRun run = runHost({"validate", THIRD_PARTY_MODULE, "--seconds", "20"});
    const std::vector<std::string> report = lines(run.out);
    ASSERT_EQ(report.size(), std::size(kGroups) + 1) << run.out << run.err;
    for (size_t i = 0; i < std::size(kGroups); ++i)
        EXPECT_THAT(report[i], testing::MatchesRegex("(PASS|FAIL) " + std::string(kGroups[i]) + ": .*"));
    EXPECT_THAT(report.back(), testing::MatchesRegex("[0-9] passed, [0-9] failed"));
    EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1) << run.exitCode;
}

}  // namespace
