// The framework's default operations, reached through the dispatcher of an effect that overrides
// nothing but the one pure operation.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/shell/PlainEffect.h"
#include "tests/support/PluginCalls.h"

namespace {

class DefaultsTest : public ::testing::Test {
protected:
    intptr_t send(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f) {
        return dispatch(&effect.effectRecord, opcode, index, value, ptr, opt);
    }

    PlainEffect effect;
};

TEST_F(DefaultsTest, ProgramNumberIsStoredAndAnswered) {
    EXPECT_EQ(send(effGetProgram), 0);
    send(effSetProgram, 0, 9);
    EXPECT_EQ(send(effGetProgram), 9);
    EXPECT_EQ(effect.curProgram, 9);
    send(effSetProgram, 0, 10);
    send(effSetProgram, 0, -2);
    EXPECT_EQ(send(effGetProgram), 9);
}

TEST_F(DefaultsTest, TextOperationsWriteAnEmptyText) {
    for (int32_t opcode : {effSetProgramName, effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName}) {
        char text[32] = "leftover";
        EXPECT_EQ(send(opcode, 1, 0, text), 0);
        EXPECT_STREQ(text, "") << opcode;
    }
}

TEST_F(DefaultsTest, SampleRateAndBlockSizeAreStored) {
    send(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    send(effSetBlockSize, 0, 256);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
    EXPECT_EQ(effect.getBlockSize(), 256);

    EXPECT_EQ(send(effSetBlockSizeAndSampleRate, 0, 128, nullptr, 96000.0f), 1);
    EXPECT_EQ(effect.sampleRate, 96000.0f);
    EXPECT_EQ(effect.blockSize, 128);
}

TEST_F(DefaultsTest, QueriesAnswerTheirNeutralValues) {
    char text[32] = "question";
    const struct {
        int32_t opcode;
        intptr_t answer;
    } cases[] = {
        {effGetVu, 0},
        {effGetChunk, 0},
        {effSetChunk, 0},
        {effProcessEvents, 0},
        {effCanBeAutomated, 1},
        {effGetNumProgramCategories, 1},
        {effGetPlugCategory, 0},
        {effGetCurrentPosition, 0},
        {effGetDestinationBuffer, 0},
        {effGetVendorVersion, 0},
        {effVendorSpecific, 0},
        {effCanDo, 0},
        {effGetTailSize, 0},
        {effIdle, 0},
        {effGetIcon, 0},
        {effKeysRequired, 1},
        {effGetVstVersion, 2200},
        {effGetMidiProgramName, 0},
        {effGetCurrentMidiProgram, -1},
        {effGetMidiProgramCategory, 0},
        // Operations answering false.
        {effString2Parameter, 0},
        {effGetProgramNameIndexed, 0},
        {effCopyProgram, 0},
        {effGetInputProperties, 0},
        {effGetOutputProperties, 0},
        {effOfflineNotify, 0},
        {effOfflinePrepare, 0},
        {effOfflineRun, 0},
        {effProcessVarIo, 0},
        {effSetSpeakerArrangement, 0},
        {effSetBypass, 0},
        {effGetEffectName, 0},
        {effGetErrorText, 0},
        {effGetVendorString, 0},
        {effGetProductString, 0},
        {effSetViewPosition, 0},
        {effGetParameterProperties, 0},
        {effHasMidiProgramsChanged, 0},
        {effGetMidiKeyName, 0},
        {effBeginSetProgram, 0},
        {effEndSetProgram, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(send(c.opcode, 1, 1, text), c.answer) << c.opcode;
    EXPECT_STREQ(text, "question");
    EXPECT_EQ(effect.getChannelParameter(0, 0), 0.0f);
    EXPECT_EQ(effect.getParameter(0), 0.0f);
}

TEST_F(DefaultsTest, FlagSettersSetAndClearTheirBitOnly) {
    using Setter = std::function<void(PlainEffect&, bool)>;
    const struct {
        Setter set;
        int32_t bit;
    } cases[] = {
        {[](PlainEffect& e, bool s) { e.hasClip(s); }, 2},
        {[](PlainEffect& e, bool s) { e.hasVu(s); }, 4},
        {[](PlainEffect& e, bool s) { e.canMono(s); }, 8},
        {[](PlainEffect& e, bool s) { e.canProcessReplacing(s); }, 16},
        {[](PlainEffect& e, bool s) { e.programsAreChunks(s); }, 32},
        {[](PlainEffect& e, bool s) { e.isSynth(s); }, 256},
        {[](PlainEffect& e, bool s) { e.noTail(s); }, 512},
        {[](PlainEffect& e, bool s) { e.wantAsyncOperation(s); }, 1024},
        {[](PlainEffect& e, bool s) { e.hasExternalBuffer(s); }, 2048},
    };
    const int32_t others = 1 | 64;  // bits no setter owns stay as they are
    for (const auto& c : cases) {
        effect.effectRecord.flags = others;
        c.set(effect, true);
        EXPECT_EQ(effect.effectRecord.flags, others | c.bit) << c.bit;
        c.set(effect, false);
        EXPECT_EQ(effect.effectRecord.flags, others) << c.bit;
    }
}

TEST_F(DefaultsTest, PlugCategoryFollowsTheSynthFlag) {
    effect.isSynth(true);
    EXPECT_EQ(send(effGetPlugCategory), 2);
    effect.isSynth(false);
    EXPECT_EQ(send(effGetPlugCategory), 0);
}

}  // namespace
