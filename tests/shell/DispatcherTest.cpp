// Every dispatcher opcode: which operation it reaches with which arguments, and how the
// operation's result becomes the answer.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "tests/shell/test_effect/CallText.h"
#include "tests/shell/test_effect/RecordingEditor.h"
#include "tests/shell/test_effect/RecordingEffect.h"
#include "tests/support/PluginCalls.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// How the answer follows from what the reached operation returned.
enum class Answer { Zero, One, Result, Bool, NotBool, Identify };

intptr_t expectedAnswer(Answer kind, intptr_t result) {
    switch (kind) {
    case Answer::Zero: return 0;
    case Answer::One: return 1;
    case Answer::Result: return result;
    case Answer::Bool: return result != 0 ? 1 : 0;
    case Answer::NotBool: return result != 0 ? 0 : 1;
    case Answer::Identify: return fourCharCode('N', 'v', 'E', 'f');
    }
    return -12345;
}

struct OpcodeCase {
    int32_t opcode;
    int32_t index;
    intptr_t value;
    void* ptr;
    float opt;
    std::string expectedCall;  // empty: the opcode reaches no operation
    Answer answer;
};

std::string describe(const OpcodeCase& c) {
    return "opcode " + std::to_string(c.opcode) + " index " + std::to_string(c.index) + " value " +
           std::to_string(c.value) + " expecting " + (c.expectedCall.empty() ? "no call" : c.expectedCall);
}

// The results every reached operation is made to return in turn.
const intptr_t kResults[] = {0, 7, -3};

class DispatcherTest : public ::testing::Test {
protected:
    // The object's dispatcher itself: through the record, effClose would also destroy the object.
    intptr_t dispatchTo(const OpcodeCase& c) { return effect.dispatcher(c.opcode, c.index, c.value, c.ptr, c.opt); }

    // Runs each case once per result and checks the reached calls and the answer.
    void checkCases(const std::vector<OpcodeCase>& cases, std::vector<std::string>& reached, intptr_t& result) {
        for (const OpcodeCase& c : cases) {
            for (intptr_t r : kResults) {
                result = r;
                reached.clear();
                effect.calls.clear();
                const intptr_t answer = dispatchTo(c);
                SCOPED_TRACE(describe(c) + " with result " + std::to_string(r));
                if (c.expectedCall.empty()) {
                    EXPECT_THAT(reached, IsEmpty());
                } else {
                    EXPECT_THAT(reached, ElementsAre(c.expectedCall));
                }
                EXPECT_EQ(answer, expectedAnswer(c.answer, r));
            }
        }
    }

    RecordingEffect effect{nullptr};
    char text[64] = {};
    void* const p = text;
};

constexpr int32_t kIndex = 3;
constexpr intptr_t kValue = 5;
constexpr float kOpt = 0.25f;

TEST_F(DispatcherTest, EffectOpcodesReachTheirOperationAndConvertTheResult) {
    const std::vector<OpcodeCase> cases = {
        {effOpen, 0, 0, nullptr, 0, "open()", Answer::Zero},
        {effClose, 0, 0, nullptr, 0, "close()", Answer::Zero},
        {effSetProgram, kIndex, kValue, p, kOpt, "setProgram(5)", Answer::Zero},
        {effGetProgram, 0, 0, nullptr, 0, "getProgram()", Answer::Result},
        {effSetProgramName, kIndex, kValue, p, kOpt, callText("setProgramName", p), Answer::Zero},
        {effGetProgramName, kIndex, kValue, p, kOpt, callText("getProgramName", p), Answer::Zero},
        {effGetParamLabel, kIndex, kValue, p, kOpt, callText("getParameterLabel", kIndex, p), Answer::Zero},
        {effGetParamDisplay, kIndex, kValue, p, kOpt, callText("getParameterDisplay", kIndex, p), Answer::Zero},
        {effGetParamName, kIndex, kValue, p, kOpt, callText("getParameterName", kIndex, p), Answer::Zero},
        {effSetSampleRate, kIndex, kValue, p, 48000.0f, "setSampleRate(48000)", Answer::Zero},
        {effSetBlockSize, kIndex, 512, p, kOpt, "setBlockSize(512)", Answer::Zero},
        {effMainsChanged, 0, 0, nullptr, 0, "suspend()", Answer::Zero},
        {effMainsChanged, 0, 1, nullptr, 0, "resume()", Answer::Zero},
        {effMainsChanged, 0, -1, nullptr, 0, "resume()", Answer::Zero},
        {effEditDraw, kIndex, kValue, p, kOpt, "", Answer::Zero},
        {effEditMouse, kIndex, kValue, p, kOpt, "", Answer::Zero},
        {effEditKey, kIndex, kValue, p, kOpt, "", Answer::Zero},
        {effEditTop, kIndex, kValue, p, kOpt, "", Answer::Zero},
        {effEditSleep, kIndex, kValue, p, kOpt, "", Answer::Zero},
        {effIdentify, kIndex, kValue, p, kOpt, "", Answer::Identify},
        {effGetChunk, 1, kValue, p, kOpt, callText("getChunk", p, true), Answer::Result},
        {effGetChunk, 0, kValue, p, kOpt, callText("getChunk", p, false), Answer::Result},
        {effSetChunk, 0, 99, p, kOpt, callText("setChunk", p, 99, false), Answer::Result},
        {effSetChunk, 2, 99, p, kOpt, callText("setChunk", p, 99, true), Answer::Result},
        {effProcessEvents, kIndex, kValue, p, kOpt, callText("processEvents", p), Answer::Result},
        {effCanBeAutomated, kIndex, kValue, p, kOpt, "canParameterBeAutomated(3)", Answer::Bool},
        {effString2Parameter, kIndex, kValue, p, kOpt, callText("string2parameter", kIndex, p), Answer::Bool},
        {effGetNumProgramCategories, kIndex, kValue, p, kOpt, "getNumCategories()", Answer::Result},
        {effGetProgramNameIndexed, kIndex, kValue, p, kOpt, callText("getProgramNameIndexed", 5, kIndex, p),
         Answer::Bool},
        {effCopyProgram, kIndex, kValue, p, kOpt, "copyProgram(3)", Answer::Bool},
        {effConnectInput, 1, 0, nullptr, 0, "inputConnected(1, false)", Answer::One},
        {effConnectInput, 1, 5, nullptr, 0, "inputConnected(1, true)", Answer::One},
        {effConnectOutput, 0, 1, nullptr, 0, "outputConnected(0, true)", Answer::One},
        {effConnectOutput, 0, 0, nullptr, 0, "outputConnected(0, false)", Answer::One},
        {effGetInputProperties, kIndex, kValue, p, kOpt, callText("getInputProperties", kIndex, p), Answer::Bool},
        {effGetOutputProperties, kIndex, kValue, p, kOpt, callText("getOutputProperties", kIndex, p), Answer::Bool},
        {effGetPlugCategory, kIndex, kValue, p, kOpt, "getPlugCategory()", Answer::Result},
        {effGetCurrentPosition, kIndex, kValue, p, kOpt, "reportCurrentPosition()", Answer::Result},
        {effGetDestinationBuffer, kIndex, kValue, p, kOpt, "reportDestinationBuffer()", Answer::Result},
        {effOfflineNotify, 1, kValue, p, kOpt, callText("offlineNotify", p, 5, true), Answer::Bool},
        {effOfflineNotify, 0, kValue, p, kOpt, callText("offlineNotify", p, 5, false), Answer::Bool},
        {effOfflinePrepare, kIndex, kValue, p, kOpt, callText("offlinePrepare", p, 5), Answer::Bool},
        {effOfflineRun, kIndex, kValue, p, kOpt, callText("offlineRun", p, 5), Answer::Bool},
        {effProcessVarIo, kIndex, kValue, p, kOpt, callText("processVariableIo", p), Answer::Bool},
        {effSetSpeakerArrangement, kIndex, kValue, p, kOpt, callText("setSpeakerArrangement", 5, p), Answer::Bool},
        {effSetBlockSizeAndSampleRate, kIndex, 256, p, 96000.0f, "setBlockSizeAndSampleRate(256, 96000)",
         Answer::One},
        {effSetBypass, kIndex, 5, p, kOpt, "setBypass(true)", Answer::Bool},
        {effSetBypass, kIndex, 0, p, kOpt, "setBypass(false)", Answer::Bool},
        {effGetEffectName, kIndex, kValue, p, kOpt, callText("getEffectName", p), Answer::Bool},
        {effGetErrorText, kIndex, kValue, p, kOpt, callText("getErrorText", p), Answer::Bool},
        {effGetVendorString, kIndex, kValue, p, kOpt, callText("getVendorString", p), Answer::Bool},
        {effGetProductString, kIndex, kValue, p, kOpt, callText("getProductString", p), Answer::Bool},
        {effGetVendorVersion, kIndex, kValue, p, kOpt, "getVendorVersion()", Answer::Result},
        {effVendorSpecific, kIndex, kValue, p, kOpt, callText("vendorSpecific", kIndex, kValue, p, kOpt),
         Answer::Result},
        {effCanDo, kIndex, kValue, p, kOpt, callText("canDo", p), Answer::Result},
        {effGetTailSize, kIndex, kValue, p, kOpt, "getTailSize()", Answer::Result},
        {effIdle, kIndex, kValue, p, kOpt, "fxIdle()", Answer::Result},
        {effGetIcon, kIndex, kValue, p, kOpt, "getIcon()", Answer::Result},
        {effSetViewPosition, 120, 80, p, kOpt, "setViewPosition(120, 80)", Answer::Bool},
        {effGetParameterProperties, kIndex, kValue, p, kOpt, callText("getParameterProperties", kIndex, p),
         Answer::Bool},
        {effKeysRequired, kIndex, kValue, p, kOpt, "keysRequired()", Answer::NotBool},
        {effGetVstVersion, kIndex, kValue, p, kOpt, "getVstVersion()", Answer::Result},
        {effGetMidiProgramName, kIndex, kValue, p, kOpt, callText("getMidiProgramName", kIndex, p), Answer::Result},
        {effGetCurrentMidiProgram, kIndex, kValue, p, kOpt, callText("getCurrentMidiProgram", kIndex, p),
         Answer::Result},
        {effGetMidiProgramCategory, kIndex, kValue, p, kOpt, callText("getMidiProgramCategory", kIndex, p),
         Answer::Result},
        {effHasMidiProgramsChanged, kIndex, kValue, p, kOpt, "hasMidiProgramsChanged(3)", Answer::Bool},
        {effGetMidiKeyName, kIndex, kValue, p, kOpt, callText("getMidiKeyName", kIndex, p), Answer::Bool},
        {effBeginSetProgram, kIndex, kValue, p, kOpt, "beginSetProgram()", Answer::Bool},
        {effEndSetProgram, kIndex, kValue, p, kOpt, "endSetProgram()", Answer::Bool},
        // Beyond the table: nothing is reached.
        {69, kIndex, kValue, p, kOpt, "", Answer::Zero},
        {1000, kIndex, kValue, p, kOpt, "", Answer::Zero},
        {-1, kIndex, kValue, p, kOpt, "", Answer::Zero},
        {std::numeric_limits<int32_t>::max(), kIndex, kValue, p, kOpt, "", Answer::Zero},
        {std::numeric_limits<int32_t>::min(), kIndex, kValue, p, kOpt, "", Answer::Zero},
    };

    // Together with the editor opcodes below, the table covers every opcode from 0 to 68.
    const std::set<int32_t> editorOpcodes = {effEditGetRect, effEditOpen,    effEditClose,     effEditIdle,
                                             effEditKeyDown, effEditKeyUp,   effSetEditKnobMode};
    std::set<int32_t> covered = editorOpcodes;
    covered.insert(effGetVu);  // its float result is checked on its own below
    for (const OpcodeCase& c : cases) covered.insert(c.opcode);
    for (int32_t opcode = 0; opcode <= effEndSetProgram; ++opcode) EXPECT_EQ(covered.count(opcode), 1u) << opcode;

    checkCases(cases, effect.calls, effect.answer);
}

TEST_F(DispatcherTest, EditorOpcodesReachTheEditor) {
    auto* editor = new RecordingEditor(&effect);  // owned by the effect
    const std::vector<OpcodeCase> cases = {
        {effEditGetRect, kIndex, kValue, p, kOpt, callText("getEditorRect", p), Answer::Result},
        {effEditOpen, kIndex, kValue, p, kOpt, callText("open", p), Answer::Result},
        {effEditClose, kIndex, kValue, p, kOpt, "close()", Answer::Zero},
        {effEditIdle, kIndex, kValue, p, kOpt, "idle()", Answer::Zero},
        // The key record: character = index, virtual key = low byte of value, modifier = low byte
        // of opt truncated to an integer.
        {effEditKeyDown, 'a', 0x10D, nullptr, 3.9f, "keyDown(97, 13, 3)", Answer::Result},
        {effEditKeyUp, 'a', 0x10D, nullptr, 3.9f, "keyUp(97, 13, 3)", Answer::Result},
        {effEditKeyDown, -5, 0xFF, nullptr, 258.7f, "keyDown(-5, 255, 2)", Answer::Result},
        {effEditKeyDown, 0, VKEY_LEFT, nullptr, -1.5f, "keyDown(0, 11, 255)", Answer::Result},
        {effEditKeyUp, 0, VKEY_DOWN, nullptr, std::nanf(""), "keyUp(0, 14, 0)", Answer::Result},
        {effEditKeyUp, 0, VKEY_UP, nullptr, std::numeric_limits<float>::infinity(), "keyUp(0, 12, 255)",
         Answer::Result},
        {effSetEditKnobMode, kIndex, 2, p, kOpt, "setKnobMode(2)", Answer::Result},
    };
    checkCases(cases, editor->calls, editor->answer);
    EXPECT_THAT(effect.calls, IsEmpty());
}

TEST_F(DispatcherTest, EditorOpcodesWithoutEditorAnswerZero) {
    ASSERT_EQ(effect.editor, nullptr);
    for (int32_t opcode : {effEditGetRect, effEditOpen, effEditClose, effEditIdle, effEditKeyDown, effEditKeyUp,
                           effSetEditKnobMode}) {
        EXPECT_EQ(dispatch(&effect.effectRecord, opcode, kIndex, kValue, p, kOpt), 0) << opcode;
    }
    EXPECT_THAT(effect.calls, IsEmpty());
}

TEST_F(DispatcherTest, SetProgramIgnoresNumbersOutsideTheProgramStore) {
    const intptr_t last = RecordingEffect::kNumPrograms - 1;
    dispatch(&effect.effectRecord, effSetProgram, 0, 0);
    dispatch(&effect.effectRecord, effSetProgram, 0, last);
    EXPECT_THAT(effect.calls, ElementsAre("setProgram(0)", "setProgram(" + std::to_string(last) + ")"));

    effect.calls.clear();
    const std::vector<intptr_t> outside = {last + 1, -1, std::numeric_limits<intptr_t>::min(),
                                           std::numeric_limits<intptr_t>::max()};
    for (intptr_t program : outside) EXPECT_EQ(dispatch(&effect.effectRecord, effSetProgram, 0, program), 0);
#if INTPTR_MAX > INT32_MAX
    // Would look like program 3 if the value were cut to 32 bits before the check.
    EXPECT_EQ(dispatch(&effect.effectRecord, effSetProgram, 0, (intptr_t{1} << 32) + 3), 0);
#endif
    EXPECT_THAT(effect.calls, IsEmpty());
}

TEST_F(DispatcherTest, GetVuAnswersTheMeterTimes32767TruncatedAndSafeForAnyFloat) {
    const struct {
        float vu;
        intptr_t answer;
    } cases[] = {
        {0.0f, 0},
        {1.0f, 32767},
        {0.5f, 16383},
        {-0.5f, -16383},
        {std::nanf(""), 0},
        {std::numeric_limits<float>::infinity(), std::numeric_limits<int32_t>::max()},
        {-std::numeric_limits<float>::infinity(), std::numeric_limits<int32_t>::min()},
        {1e30f, std::numeric_limits<int32_t>::max()},
    };
    for (const auto& c : cases) {
        effect.floatAnswer = c.vu;
        EXPECT_EQ(dispatch(&effect.effectRecord, effGetVu), c.answer) << c.vu;
    }
    EXPECT_THAT(effect.calls, ::testing::Each(std::string("getVu()")));
}

TEST_F(DispatcherTest, NullTextOrRecordPointersReachNoOperation) {
    auto* editor = new RecordingEditor(&effect);
    effect.answer = 1;
    editor->answer = 1;
    for (int32_t opcode : {effSetProgramName, effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName,
                           effEditGetRect, effString2Parameter, effGetProgramNameIndexed, effGetInputProperties,
                           effGetOutputProperties, effGetEffectName, effGetErrorText, effGetVendorString,
                           effGetProductString}) {
        EXPECT_EQ(dispatch(&effect.effectRecord, opcode, 0, 0, nullptr), 0) << opcode;
    }
    EXPECT_THAT(effect.calls, IsEmpty());
    EXPECT_THAT(editor->calls, IsEmpty());
}

}  // namespace
