// spatialiser-host validate with a display, so that the editor-facing groups open editors: a
// module that aborts on any broken host rule passes every group, the rules broken on purpose only
// in the hostile group; an X error an editor makes is a warning that names it, and its group goes
// on to the end; our module has no error and no warning under --strict.
#include "ValidationReport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

using testing::AllOf;
using testing::Contains;
using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::HasSubstr;
using testing::Not;
using testing::StartsWith;

namespace {

class ValidateWithDisplay : public testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    }
};

void expectEveryGroupPasses(const HostRun& run, const ValidationReport& report) {
    ASSERT_THAT(report.groups, ElementsAreArray(kValidationGroups)) << run.out << run.err;
    for (const char* group : kValidationGroups)
        EXPECT_THAT(report.verdicts.at(group), StartsWith(std::string("PASS ") + group + ": ")) << run.err;
    EXPECT_EQ(run.exitCode, 0);
}

TEST_F(ValidateWithDisplay, AModuleThatAbortsOnABrokenHostRuleFaultsOnlyInTheHostileGroup) {
    const HostRun run = runHost({"validate", HOST_RULES_MODULE});
    const ValidationReport report(run);
    expectEveryGroupPasses(run, report);
    EXPECT_THAT(report.verdicts.at("editor"), HasSubstr("(editor 200 x 100)"));
    EXPECT_THAT(report.verdicts.at("threads"), Not(HasSubstr("skipped")));
    for (const auto& [group, lines] : report.warnings) EXPECT_EQ(group, "hostile") << lines.front();
    // What a hostile host does breaks the rules: the module aborts there, and that is a warning.
    ASSERT_EQ(report.warnings.count("hostile"), 1u) << run.out;
    EXPECT_THAT(report.warnings.at("hostile"),
                Contains(AllOf(StartsWith("render calls with no, negative or too many frames: "),
                               HasSubstr("crashed with signal 6"))));
    EXPECT_THAT(run.err, HasSubstr("the host broke a rule: 1 to the declared block size of frames"));
}

TEST_F(ValidateWithDisplay, AnXErrorInEffEditOpenIsANamedWarningAndTheGroupGoesOn) {
    const HostRun run = runHost({"validate", X_ERROR_MODULE, "--only", "editor"});
    const ValidationReport report(run);
    EXPECT_THAT(report.warnings.at("editor"), ElementsAre("BadAtom in X_ChangeProperty during round 1: effEditOpen"));
    EXPECT_THAT(report.verdicts.at("editor"), StartsWith("PASS editor: "));
    EXPECT_THAT(report.verdicts.at("editor"), HasSubstr("(editor 200 x 100; 1 warning)"));
    EXPECT_EQ(run.exitCode, 0);

    // Every editor-facing group traps it; the first names it, the others go on to their end.
    const HostRun all = runHost({"validate", X_ERROR_MODULE});
    const ValidationReport whole(all);
    expectEveryGroupPasses(all, whole);
    EXPECT_THAT(whole.warnings.at("opcodes"),
                Contains(StartsWith("BadAtom in X_ChangeProperty during effEditOpen (14)")));
    EXPECT_EQ(whole.warnings.count("threads"), 0u);
    EXPECT_EQ(whole.warnings.count("editor"), 0u);
}

TEST_F(ValidateWithDisplay, OurModuleHasNoErrorAndNoWarningUnderStrict) {
    if (std::string(SPATIALISER_MODULE).empty()) GTEST_SKIP() << "this build has no module";
    const HostRun run = runHost({"validate", SPATIALISER_MODULE, "--strict"});
    const ValidationReport report(run);
    expectEveryGroupPasses(run, report);
    EXPECT_THAT(report.verdicts.at("editor"), Not(HasSubstr("skipped")));
    EXPECT_EQ(report.summary, "9 passed, 0 failed, 0 warnings") << run.out;
}

}  // namespace
