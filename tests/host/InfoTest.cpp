// spatialiser-host info: the record, the parameters, the programs and the pins of a module.
#include "HostProcess.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::HasSubstr;

TEST(Info, ListsRecordParametersProgramsAndPins) {
    const HostRun run = runHost({"info", PROBE_MODULE});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");

    EXPECT_THAT(run.out, HasSubstr("effect name     \"Level Probe\"\n"));
    EXPECT_THAT(run.out, HasSubstr("VST version     2400\n"));
    EXPECT_THAT(run.out, HasSubstr("magic           'VstP' (0x56737450)\n"));
    EXPECT_THAT(run.out, HasSubstr("unique ID       'Prb1' (0x50726231)\n"));
    EXPECT_THAT(run.out, HasSubstr("version         3\n"));
    EXPECT_THAT(run.out, HasSubstr("programs        3\n"));
    EXPECT_THAT(run.out, HasSubstr("parameters      3\n"));
    EXPECT_THAT(run.out, HasSubstr("flags           0x00000010 (can replace)\n"));

    // Trailing blanks of a name stay visible; the display text is the module's own.
    EXPECT_THAT(run.out, HasSubstr("  0  \"Gain\"  \"x\"  \"1.000\"  1  automatable\n"));
    EXPECT_THAT(run.out, HasSubstr("  1  \"Offset  \"  \"dc\"  \"0.000\"  0  automatable\n"));
    EXPECT_THAT(run.out, HasSubstr("  2  \"Left Trim\"  \"x\"  \"1.000\"  1  not automatable\n"));

    // The probe names programs only for the current one, so each is visited in turn.
    EXPECT_THAT(run.out, HasSubstr("programs\n  0  \"Unity\"\n  1  \"Half\"\n  2  \"Quiet\"\n"));

    EXPECT_THAT(run.out, HasSubstr("input pins\n  0  \"Probe In L\"  short \"L\"  active  stereo\n"
                                   "  1  \"Probe In R\"  short \"R\"  active\n"));
    EXPECT_THAT(run.out, HasSubstr("output pins\n  0  \"Probe Out L\"  short \"L\"  active  stereo\n"));
}

TEST(Info, TakesNoOptions) {
    const HostRun run = runHost({"info", PROBE_MODULE, "--block", "64"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_THAT(run.err, HasSubstr("info takes no options"));
}
