// spatialiser-host validate: our module passes every group without a warning; each faulty module
// fails the one group its fault belongs to, with a line that says what happened, and every other
// group still runs and passes; slips only a hostile host provokes, or that no host suffers from,
// are warnings, errors only under --strict; a third-party module is taken through every group.
#include "ValidationReport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::HasSubstr;
using testing::StartsWith;

namespace {

// Every group has its verdict, in order; all pass but `failingGroup`, whose line says `failure`.
void expectVerdicts(const HostRun& run, const std::string& failingGroup, const std::string& failure) {
    const ValidationReport report(run);
    ASSERT_THAT(report.groups, ElementsAreArray(kValidationGroups)) << run.out << run.err;
    EXPECT_TRUE(report.otherLines.empty()) << run.out;
    for (const char* group : kValidationGroups) {
        if (group == failingGroup) {
            EXPECT_THAT(report.verdicts.at(group), StartsWith("FAIL " + failingGroup + ": "));
            EXPECT_THAT(report.verdicts.at(group), HasSubstr(failure));
        } else {
            EXPECT_THAT(report.verdicts.at(group), StartsWith(std::string("PASS ") + group + ": ")) << run.err;
        }
    }
    const std::string counts = failingGroup.empty() ? "9 passed, 0 failed, " : "8 passed, 1 failed, ";
    EXPECT_THAT(report.summary, StartsWith(counts));
    EXPECT_EQ(run.exitCode, failingGroup.empty() ? 0 : 1);
}

TEST(Validate, OurModulePassesEveryGroupWithoutAWarningEvenUnderStrict) {
    if (std::string(SPATIALISER_MODULE).empty()) GTEST_SKIP() << "this build has no module";
    const HostRun run = runHost({"validate", SPATIALISER_MODULE, "--strict"});
    expectVerdicts(run, "", "");
    EXPECT_EQ(ValidationReport(run).summary, "9 passed, 0 failed, 0 warnings") << run.out;
}

TEST(Validate, ACrashInANormalCallFailsTheOpcodesGroupAndSaysWhere) {
    // A signal in the plain build; under AddressSanitizer its report and exit status instead.
    expectVerdicts(runHost({"validate", CRASH_IN_OPCODE_MODULE}), "opcodes",
                   "during effGetParameterProperties (56) with index 1");
}

TEST(Validate, AWritePastTheBufferAHostGivesFailsTheParametersGroup) {
    expectVerdicts(runHost({"validate", TEXT_OVERFLOW_MODULE}), "parameters",
                   "effGetParamDisplay after parameter 0 set to 0.000000 wrote past its 256-byte buffer");
}

TEST(Validate, NaNOutputFailsTheAudioGroup) {
    expectVerdicts(runHost({"validate", NAN_OUTPUT_MODULE}), "audio", "silence gave NaN");
}

TEST(Validate, AHangIsStoppedAtTheTimeLimitAndFailsOnlyItsGroup) {
    expectVerdicts(runHost({"validate", HANG_MODULE, "--seconds", "8"}), "threads", "no progress for 8 s (hung during round");
}

TEST(Validate, ATextPastItsPublishedSizeIsOneWarningAndAnErrorUnderStrict) {
    const HostRun run = runHost({"validate", LONG_PARAMETER_NAMES_MODULE});
    expectVerdicts(run, "", "");
    const ValidationReport report(run);
    // Found by the opcodes group first; the same slip in later groups is not counted again.
    EXPECT_THAT(report.warnings.at("opcodes"),
                ElementsAre("effGetParamName (8) with index 0, value 0, opt 0.000000 wrote 3 bytes past the published "
                            "9-byte text (\"Output Gain\")"));
    EXPECT_EQ(report.warningCount(), 1u) << run.out;
    EXPECT_EQ(report.summary, "9 passed, 0 failed, 1 warning");

    const HostRun strict = runHost({"validate", LONG_PARAMETER_NAMES_MODULE, "--strict"});
    expectVerdicts(strict, "opcodes", "1 warning, errors under --strict");
    EXPECT_EQ(ValidationReport(strict).summary, "8 passed, 1 failed, 1 warning");
}

TEST(Validate, ACrashOnANegativeFrameCountIsAWarningOfTheHostileGroup) {
    const HostRun run = runHost({"validate", NEGATIVE_FRAMES_CRASH_MODULE});
    expectVerdicts(run, "", "");
    const ValidationReport report(run);
    ASSERT_EQ(report.warnings.count("hostile"), 1u) << run.out;
    EXPECT_THAT(report.warnings.at("hostile"),
                ElementsAre(HasSubstr("render calls with no, negative or too many frames: ")));
    EXPECT_THAT(report.warnings.at("hostile")[0], HasSubstr("during processReplacing with -1 frames"));
    EXPECT_THAT(report.verdicts.at("hostile"), HasSubstr("(1 warning)"));
    EXPECT_EQ(runHost({"validate", NEGATIVE_FRAMES_CRASH_MODULE, "--only", "hostile", "--strict"}).exitCode, 1);
}

TEST(Validate, OnlyRunsOneGroup) {
    const HostRun run = runHost({"validate", NAN_OUTPUT_MODULE, "--only", "programs"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const ValidationReport report(run);
    EXPECT_THAT(report.groups, ElementsAre("programs"));
    EXPECT_EQ(report.summary, "1 passed, 0 failed, 0 warnings");
}

TEST(Validate, WrongCommandLinesAreUsageErrors) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"validate"}, {"validate", "a.so", "b.so"}, {"validate", "a.so", "--only", "nothing"},
          {"validate", "a.so", "--seconds", "0"}, {"validate", "a.so", "--block", "64"},
          {"render", "a.so", "in.wav", "out.wav", "--only", "audio"}, {"render", "a.so", "in.wav", "out.wav", "--strict"}}) {
        const HostRun run = runHost(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.back();
        EXPECT_THAT(run.err, HasSubstr("see spatialiser-host --help"));
    }
}

TEST(Validate, AModuleThatCannotBeLoadedFailsItsGroup) {
    const HostRun run = runHost({"validate", NULL_ENTRY_MODULE, "--only", "load"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.out, HasSubstr("FAIL load: "));
    EXPECT_THAT(run.out, HasSubstr("0 passed, 1 failed, 0 warnings"));
}

// The distribution's ping-pong panner: whatever it does, every group ends in a verdict.
TEST(Validate, RunsAThirdPartyModuleToTheEnd) {
    if (!std::filesystem::exists(THIRD_PARTY_MODULE)) GTEST_SKIP() << THIRD_PARTY_MODULE << " is not installed";
    const HostRun run = runHost({"validate", THIRD_PARTY_MODULE, "--seconds", "20"});
    const ValidationReport report(run);
    ASSERT_THAT(report.groups, ElementsAreArray(kValidationGroups)) << run.out << run.err;
    EXPECT_TRUE(report.otherLines.empty()) << run.out;
    EXPECT_THAT(report.summary, testing::MatchesRegex("[0-9] passed, [0-9] failed, [0-9]+ warnings?"));
    EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1) << run.exitCode;
}

}  // namespace
