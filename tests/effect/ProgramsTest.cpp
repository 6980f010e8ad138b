// Selecting, naming and copying programs.
#include <cstring>
#include <string>

#include "tests/effect/EffectFixture.h"

namespace {

TEST_F(EffectTest, SelectingAProgramReplaysItThroughTheLinks) {
    forgetHostCalls();
    effect->setProgram(5);
    EXPECT_EQ(effect->getProgram(), 5);
    // Program 5 stores "Azimuth " 1.0 and "Distance" just above 0.7; the sliders' links win.
    EXPECT_EQ(effect->getParameter(kAzimuth), 0.5f);
    EXPECT_EQ(effect->getParameter(kDistance), 0.5f);
    EXPECT_EQ(effect->storedProgram(5).params[kAzimuth], 0.5f);
    EXPECT_EQ(effect->storedProgram(5).params[kDistance], 0.5f);
    EXPECT_EQ(automations(), (std::vector<Automation>{{0, 0.5f}, {1, 0.5f}, {2, 0.0f}, {3, 0.0f}}));
    EXPECT_TRUE(effect->isUpdatePending());
}

// Each value is read when its own turn comes: a link of an earlier index may have rewritten it.
TEST_F(EffectTest, ReplayUsesValuesRewrittenByEarlierLinks) {
    effect->setProgram(2);
    effect->setParameter(kAzimuthWaveform, 0.5f);    // pins the effective depth at 1
    effect->setParameter(kAzimuthDepth, 0.4f);       // writes the effective depth 0.4
    effect->setParameter(kAzimuthDepthSlider, 0.9f);  // pinned: stored as 1
    ASSERT_EQ(effect->storedProgram(2).params[kAzimuthDepth], 0.4f);
    ASSERT_EQ(effect->storedProgram(2).params[kAzimuthDepthSlider], 1.0f);

    effect->setProgram(0);  // waveform 0, so the effective depth is not pinned during the replay
    forgetHostCalls();
    effect->setProgram(2);
    // Index 3 rewrote index 7 to 0.4 before index 7 was replayed; 7 then stored 0.4 into index 3.
    EXPECT_EQ(effect->getParameter(kAzimuthDepth), 0.4f);
    EXPECT_EQ(automations().back(), (Automation{kAzimuthDepth, 0.4f}));
    // Index 9 came last and pinned the effective depth again.
    EXPECT_EQ(effect->getParameter(kAzimuthDepthSlider), 1.0f);
}

TEST_F(EffectTest, ProgramNumbersOutsideTheStoreAreIgnored) {
    effect->setProgram(3);
    forgetHostCalls();
    effect->setProgram(64);
    effect->setProgram(-1);
    EXPECT_EQ(effect->getProgram(), 3);
    EXPECT_TRUE(host.calls.empty());
}

// The store keeps 27 characters of a name; a host's 24-byte buffer gets 23 and the terminator.
TEST_F(EffectTest, ProgramNamesAreKeptTo27AndGivenToTheHostTo23Characters) {
    char longName[] = "abcdefghijklmnopqrstuvwxyz0123";  // 30 characters
    effect->setProgramName(longName);
    EXPECT_STREQ(effect->storedProgram(0).name, "abcdefghijklmnopqrstuvwxyz0");

    char name[64];
    std::memset(name, 'X', sizeof name);
    effect->getProgramName(name);
    EXPECT_STREQ(name, "abcdefghijklmnopqrstuvw");
    EXPECT_EQ(name[24], 'X');  // nothing written past the terminator

    std::memset(name, 'X', sizeof name);
    EXPECT_TRUE(effect->getProgramNameIndexed(0, 0, name));
    EXPECT_STREQ(name, "abcdefghijklmnopqrstuvw");
    EXPECT_EQ(name[24], 'X');

    // Copying keeps all 27 characters.
    EXPECT_TRUE(effect->copyProgram(1));
    EXPECT_STREQ(effect->storedProgram(1).name, "abcdefghijklmnopqrstuvwxyz0");
}

TEST_F(EffectTest, IndexedNamesAnswerOnlyForStoredPrograms) {
    char shortName[] = "Wide hall";
    effect->setProgram(7);
    effect->setProgramName(shortName);

    char name[32] = "untouched";
    EXPECT_TRUE(effect->getProgramNameIndexed(0, 7, name));
    EXPECT_STREQ(name, "Wide hall");
    EXPECT_TRUE(effect->getProgramNameIndexed(99, 6, name));  // the category is not used
    EXPECT_STREQ(name, "Default");
    std::strcpy(name, "untouched");
    EXPECT_FALSE(effect->getProgramNameIndexed(0, 64, name));
    EXPECT_FALSE(effect->getProgramNameIndexed(0, -1, name));
    EXPECT_STREQ(name, "untouched");
}

TEST_F(EffectTest, CopyTakesTheWholeCurrentProgramAndStaysOnIt) {
    char name[] = "Copied";
    effect->setProgramName(name);
    effect->setParameter(kQuality, 1.0f);

    EXPECT_TRUE(effect->copyProgram(10));
    EXPECT_EQ(effect->getProgram(), 0);
    EXPECT_STREQ(effect->storedProgram(10).name, "Copied");
    for (int32_t index = 0; index < kNumParameters; ++index)
        EXPECT_EQ(effect->storedProgram(10).params[index], effect->storedProgram(0).params[index]);

    EXPECT_TRUE(effect->copyProgram(0));  // onto itself: nothing changes
    EXPECT_STREQ(effect->storedProgram(0).name, "Copied");
    EXPECT_EQ(effect->storedProgram(0).params[kQuality], 1.0f);

    EXPECT_FALSE(effect->copyProgram(64));
    EXPECT_FALSE(effect->copyProgram(-1));
}

}  // namespace
