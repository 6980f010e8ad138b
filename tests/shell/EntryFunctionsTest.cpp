// The effect record as the framework fills it, and the five functions it points at.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/AEffEditorBase.h"
#include "shell/EntryFunctions.h"
#include "tests/shell/test_effect/CallText.h"
#include "tests/shell/test_effect/RecordingEffect.h"
#include "tests/support/PluginCalls.h"

namespace {

using ::testing::ElementsAre;

intptr_t VSTCALL silentHost(AEffect*, int32_t, int32_t, intptr_t, void*, float) { return 0; }

// The record's values themselves are read back at their published offsets through the loader
// (ModuleTest); here: that it points at the entry functions and at its object.
TEST(EffectRecord, PointsAtTheEntryFunctionsAndItsObject) {
    RecordingEffect effect(silentHost);
    const AEffect& record = effect.effectRecord;
    EXPECT_EQ(record.dispatcher, &dispatcherEntry);
    EXPECT_EQ(record.process, &processEntry);
    EXPECT_EQ(record.setParameter, &setParameterEntry);
    EXPECT_EQ(record.getParameter, &getParameterEntry);
    EXPECT_EQ(record.processReplacing, &processReplacingEntry);
    EXPECT_EQ(record.object, static_cast<AEffPlugin*>(&effect));

    EXPECT_EQ(effect.sampleRate, 44100.0f);
    EXPECT_EQ(effect.editor, nullptr);
    EXPECT_EQ(effect.hostCallback, &silentHost);
    EXPECT_EQ(effect.numPrograms, RecordingEffect::kNumPrograms);
    EXPECT_EQ(effect.numParams, RecordingEffect::kNumParams);
    EXPECT_EQ(effect.curProgram, 0);
    EXPECT_EQ(effect.blockSize, 1024);
}

TEST(EntryFunctions, ForwardToTheObjectOfTheRecord) {
    RecordingEffect effect(nullptr);
    AEffect* record = &effect.effectRecord;
    float left[4] = {};
    float right[4] = {};
    float* inputs[] = {left, right};
    float* outputs[] = {right, left};

    record->process(record, inputs, outputs, 64);
    record->processReplacing(record, inputs, outputs, 0);
    record->setParameter(record, 3, 0.75f);
    effect.floatAnswer = -0.125f;
    EXPECT_EQ(record->getParameter(record, 14), -0.125f);
    effect.answer = 42;
    EXPECT_EQ(record->dispatcher(record, effGetVendorVersion, 0, 0, nullptr, 0.0f), 42);

    EXPECT_THAT(effect.calls, ElementsAre(callText("process", inputs, outputs, 64),
                                          callText("processReplacing", inputs, outputs, 0), "setParameter(3, 0.75)",
                                          "getParameter(14)", "getVendorVersion()"));
}

TEST(EntryFunctions, ANullRecordGetsTheNeutralAnswer) {
    EXPECT_EQ(dispatcherEntry(nullptr, effGetVstVersion, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(dispatcherEntry(nullptr, effClose, 0, 0, nullptr, 0.0f), 0);
    processEntry(nullptr, nullptr, nullptr, 16);
    processReplacingEntry(nullptr, nullptr, nullptr, 16);
    setParameterEntry(nullptr, 0, 1.0f);
    EXPECT_EQ(getParameterEntry(nullptr, 0), 0.0f);
}

// Logs the close and the destruction outside the object, which is gone when they are checked.
class ClosingEffect : public RecordingEffect {
public:
    explicit ClosingEffect(std::vector<std::string>& log) : RecordingEffect(nullptr), log(log) {}
    ~ClosingEffect() override { log.push_back("destroyed"); }

    intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) override {
        log.push_back("dispatcher(" + std::to_string(opcode) + ")");
        AEffPluginX::dispatcher(opcode, index, value, ptr, opt);
        return 42;
    }
    void close() override { log.push_back("close"); }

private:
    std::vector<std::string>& log;
};

TEST(EntryFunctions, CloseLetsTheObjectHandleItThenDestroysItAndAnswersOne) {
    std::vector<std::string> log;
    const int instancesBefore = RecordingEffect::liveInstances;
    auto* effect = new ClosingEffect(log);
    new AEffEditorBase(effect);  // owned by the effect: destroyed with it

    EXPECT_EQ(closeEffect(&effect->effectRecord), 1);
    EXPECT_THAT(log, ElementsAre("dispatcher(1)", "close", "destroyed"));
    EXPECT_EQ(RecordingEffect::liveInstances, instancesBefore);
}

}  // namespace
