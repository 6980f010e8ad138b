// What a freshly made effect holds and what the host saw while it was made.
#include <cmath>

#include "dsp/spatialiser_state.h"
#include "shell/AEffEditorBase.h"
#include "tests/effect/EffectFixture.h"

namespace {

const float kValuesAfterConstruction[kNumParameters] = {0.5f, 0.5f, 0.0f, 0.0f, 0.5f, 0.5f, 0.0f, 0.0f,
                                                        0.06f, 0.0f, 0.0f, 0.06f, 1.0f, 0.0f, 0.34f};

TEST_F(EffectTest, ConstructionLeavesTheSlidersOverTheirMirrorsInLiveValuesAndProgramZero) {
    for (int32_t index = 0; index < kNumParameters; ++index) {
        EXPECT_EQ(effect->getParameter(index), kValuesAfterConstruction[index]) << "index " << index;
        EXPECT_EQ(effect->storedProgram(0).params[index], kValuesAfterConstruction[index]) << "index " << index;
    }
    // The table says 0.0 and 0.7 for the mirrors; the slider links ran after them.
    EXPECT_EQ(effect->getParameter(kAzimuth), 0.5f);
    EXPECT_EQ(effect->getParameter(kDistance), 0.5f);
}

TEST_F(EffectTest, ConstructionLeavesAnEngineUpdatePendingForTheFirstBlock) {
    EXPECT_TRUE(effect->isUpdatePending());
    // The engine has only seen the all-zero values: azimuth 0 * 2 - 1.
    EXPECT_EQ(effect->engine()->ready, 1);
    EXPECT_EQ(effect->engine()->azimuthTarget, -1.0f);
}

TEST_F(EffectTest, ConstructionTellsTheHostAboutTheMirrorsTwiceAndNothingElse) {
    const std::vector<Automation> expected = {{0, 0.5f}, {1, 0.5f}, {2, 0.0f}, {3, 0.0f},
                                              {0, 0.5f}, {1, 0.5f}, {2, 0.0f}, {3, 0.0f}};
    EXPECT_EQ(automations(), expected);
    EXPECT_EQ(host.calls.size(), expected.size());
    for (const HostCall& call : host.calls) EXPECT_EQ(call.effect, &effect->effectRecord);
}

TEST_F(EffectTest, ConstructionEndsWithAnEditorAndTheRecordSaysSo) {
    ASSERT_NE(effect->editor, nullptr);
    EXPECT_EQ(effect->editor->effect, effect.get());
    EXPECT_EQ(effect->effectRecord.flags, effFlagsHasEditor | effFlagsCanMono | effFlagsCanReplacing);
}

TEST_F(EffectTest, EveryProgramStartsFromTheFactoryBank) {
    EXPECT_EQ(effect->getProgram(), 0);
    for (int32_t program = 0; program < kNumPrograms; ++program) {
        char name[32] = {};
        ASSERT_TRUE(effect->getProgramNameIndexed(0, program, name));
        EXPECT_STREQ(name, "Default");
    }
    // Programs other than 0 hold the bank's values untouched: "Azimuth " 1.0 and the float just
    // above 0.7 for "Distance".
    const CEffectProgram& stored = effect->storedProgram(63);
    EXPECT_EQ(stored.params[kAzimuth], 1.0f);
    EXPECT_EQ(stored.params[kDistance], std::nextafter(0.7f, 1.0f));
    EXPECT_EQ(stored.params[kReflectionPattern], 0.34f);
}

}  // namespace
