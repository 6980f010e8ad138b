// The framework's calls into the host: which host opcode with which arguments, how the answer
// becomes the result, and the fallback without a host callback.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/shell/test_effect/RecordingEffect.h"
#include "tests/support/RecordingHost.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// How the operation's result follows from the host's answer.
enum class Result { Answer, Bool, ConnectedWhenZero };

intptr_t expectedResult(Result kind, intptr_t answer) {
    switch (kind) {
    case Result::Answer: return answer;
    case Result::Bool: return answer != 0 ? 1 : 0;
    case Result::ConnectedWhenZero: return answer == 0 ? 1 : 0;
    }
    return -12345;
}

struct HostOperationCase {
    const char* name;
    std::function<intptr_t(RecordingEffect&)> call;  // runs the operation; its result as an integer
    int32_t opcode;
    int32_t index;
    intptr_t value;
    void* ptr;
    float opt;
    Result result;
};

template <typename T>
intptr_t asInteger(T* pointer) {
    return reinterpret_cast<intptr_t>(pointer);
}

class HostCallsTest : public ::testing::Test {
protected:
    RecordingHost host;
    RecordingEffect effect{host.callback()};
    char text[32] = "text";
    int other = 0;
    void* const a = text;
    void* const b = &other;

    std::vector<HostOperationCase> cases() {
        using E = RecordingEffect;
        char* t = text;
        return {
            {"setParameterAutomated", [](E& e) { return e.setParameterAutomated(3, 0.5f); }, audioMasterAutomate, 3, 0,
             nullptr, 0.5f, Result::Answer},
            {"getCurrentUniqueId", [](E& e) { return e.getCurrentUniqueId(); }, audioMasterCurrentId, 0, 0, nullptr, 0,
             Result::Answer},
            {"masterIdle", [](E& e) { return e.masterIdle(); }, audioMasterIdle, 0, 0, nullptr, 0, Result::Answer},
            {"isInputConnected", [](E& e) { return intptr_t{e.isInputConnected(3)}; }, audioMasterPinConnected, 3, 0,
             nullptr, 0, Result::ConnectedWhenZero},
            {"isOutputConnected", [](E& e) { return intptr_t{e.isOutputConnected(3)}; }, audioMasterPinConnected, 3, 1,
             nullptr, 0, Result::ConnectedWhenZero},
            {"wantEvents", [](E& e) { return e.wantEvents(3); }, audioMasterWantMidi, 0, 3, nullptr, 0, Result::Answer},
            {"getTimeInfo", [](E& e) { return asInteger(e.getTimeInfo(3)); }, audioMasterGetTime, 0, 3, nullptr, 0,
             Result::Answer},
            {"tempoAt", [](E& e) { return e.tempoAt(3); }, audioMasterTempoAt, 0, 3, nullptr, 0, Result::Answer},
            {"getNumAutomatableParameters", [](E& e) { return e.getNumAutomatableParameters(); },
             audioMasterGetNumAutomatableParameters, 0, 0, nullptr, 0, Result::Answer},
            {"getParameterQuantization", [](E& e) { return e.getParameterQuantization(); },
             audioMasterGetParameterQuantization, 0, 0, nullptr, 0, Result::Answer},
            {"ioChanged", [](E& e) { return intptr_t{e.ioChanged()}; }, audioMasterIOChanged, 0, 0, nullptr, 0,
             Result::Bool},
            {"needIdle", [](E& e) { return intptr_t{e.needIdle()}; }, audioMasterNeedIdle, 0, 0, nullptr, 0,
             Result::Bool},
            {"sizeWindow", [](E& e) { return intptr_t{e.sizeWindow(454, 269)}; }, audioMasterSizeWindow, 454, 269,
             nullptr, 0, Result::Bool},
            {"getInputLatency", [](E& e) { return e.getInputLatency(); }, audioMasterGetInputLatency, 0, 0, nullptr, 0,
             Result::Answer},
            {"getOutputLatency", [](E& e) { return e.getOutputLatency(); }, audioMasterGetOutputLatency, 0, 0, nullptr,
             0, Result::Answer},
            {"getPreviousPlug", [](E& e) { return asInteger(e.getPreviousPlug(3)); }, audioMasterGetPreviousPlug, 0, 0,
             nullptr, 0, Result::Answer},
            {"getNextPlug", [](E& e) { return asInteger(e.getNextPlug(3)); }, audioMasterGetNextPlug, 0, 0, nullptr, 0,
             Result::Answer},
            {"willProcessReplacing", [](E& e) { return e.willProcessReplacing(); }, audioMasterWillReplaceOrAccumulate,
             0, 0, nullptr, 0, Result::Answer},
            {"getCurrentProcessLevel", [](E& e) { return e.getCurrentProcessLevel(); },
             audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0, Result::Answer},
            {"getAutomationState", [](E& e) { return e.getAutomationState(); }, audioMasterGetAutomationState, 0, 0,
             nullptr, 0, Result::Answer},
            {"offlineStart", [this](E& e) { return intptr_t{e.offlineStart(a, 5, 3)}; }, audioMasterOfflineStart, 3, 5,
             a, 0, Result::Bool},
            {"offlineRead", [this](E& e) { return intptr_t{e.offlineRead(a, 5, true)}; }, audioMasterOfflineRead, 1, 5,
             a, 0, Result::Bool},
            {"offlineWrite", [this](E& e) { return intptr_t{e.offlineWrite(a, 5)}; }, audioMasterOfflineWrite, 0, 5, a,
             0, Result::Bool},
            {"offlineGetCurrentPass", [](E& e) { return intptr_t{e.offlineGetCurrentPass()}; },
             audioMasterOfflineGetCurrentPass, 0, 0, nullptr, 0, Result::Bool},
            {"offlineGetCurrentMetaPass", [](E& e) { return intptr_t{e.offlineGetCurrentMetaPass()}; },
             audioMasterOfflineGetCurrentMetaPass, 0, 0, nullptr, 0, Result::Bool},
            {"setOutputSampleRate", [](E& e) { return e.setOutputSampleRate(22050.0f); },
             audioMasterSetOutputSampleRate, 0, 0, nullptr, 22050.0f, Result::Answer},
            {"getSpeakerArrangement", [this](E& e) { return intptr_t{e.getSpeakerArrangement(a, b)}; },
             audioMasterGetSpeakerArrangement, 0, asInteger(a), b, 0, Result::Bool},
            {"getHostVendorString", [t](E& e) { return intptr_t{e.getHostVendorString(t)}; },
             audioMasterGetVendorString, 0, 0, a, 0, Result::Bool},
            {"getHostProductString", [t](E& e) { return intptr_t{e.getHostProductString(t)}; },
             audioMasterGetProductString, 0, 0, a, 0, Result::Bool},
            {"getHostVendorVersion", [](E& e) { return e.getHostVendorVersion(); }, audioMasterGetVendorVersion, 0, 0,
             nullptr, 0, Result::Answer},
            {"hostVendorSpecific", [this](E& e) { return e.hostVendorSpecific(3, 5, a, 0.5f); },
             audioMasterVendorSpecific, 3, 5, a, 0.5f, Result::Answer},
            {"canHostDo", [t](E& e) { return intptr_t{e.canHostDo(t)}; }, audioMasterCanDo, 0, 0, a, 0, Result::Bool},
            {"getHostLanguage", [](E& e) { return e.getHostLanguage(); }, audioMasterGetLanguage, 0, 0, nullptr, 0,
             Result::Answer},
            {"openWindow", [this](E& e) { return asInteger(e.openWindow(a)); }, audioMasterOpenWindow, 0, 0, a, 0,
             Result::Answer},
            {"closeWindow", [this](E& e) { return intptr_t{e.closeWindow(a)}; }, audioMasterCloseWindow, 0, 0, a, 0,
             Result::Bool},
            {"getDirectory", [](E& e) { return asInteger(e.getDirectory()); }, audioMasterGetDirectory, 0, 0, nullptr,
             0, Result::Answer},
            {"updateDisplay", [](E& e) { return intptr_t{e.updateDisplay()}; }, audioMasterUpdateDisplay, 0, 0, nullptr,
             0, Result::Bool},
            {"beginEdit", [](E& e) { return intptr_t{e.beginEdit(3)}; }, audioMasterBeginEdit, 3, 0, nullptr, 0,
             Result::Bool},
            {"endEdit", [](E& e) { return intptr_t{e.endEdit(3)}; }, audioMasterEndEdit, 3, 0, nullptr, 0,
             Result::Bool},
            {"openFileSelector", [this](E& e) { return intptr_t{e.openFileSelector(a)}; }, audioMasterOpenFileSelector,
             0, 0, a, 0, Result::Bool},
        };
    }
};

TEST_F(HostCallsTest, EachOperationCallsItsHostOpcodeWithItsArguments) {
    for (const HostOperationCase& c : cases()) {
        for (intptr_t answer : {intptr_t{0}, intptr_t{5}, intptr_t{-2}}) {
            SCOPED_TRACE(std::string(c.name) + " with host answer " + std::to_string(answer));
            host.calls.clear();
            host.answers[c.opcode] = answer;
            EXPECT_EQ(c.call(effect), expectedResult(c.result, answer));
            ASSERT_EQ(host.calls.size(), 1u);
            const HostCall& call = host.calls[0];
            EXPECT_EQ(call.effect, &effect.effectRecord);
            EXPECT_EQ(call.opcode, c.opcode);
            EXPECT_EQ(call.index, c.index);
            EXPECT_EQ(call.value, c.value);
            EXPECT_EQ(call.ptr, c.ptr);
            EXPECT_EQ(call.opt, c.opt);
        }
    }
}

TEST_F(HostCallsTest, WithoutCallbackEachOperationAnswersItsFallback) {
    RecordingEffect unhosted(nullptr);
    for (const HostOperationCase& c : cases()) {
        EXPECT_EQ(c.call(unhosted), expectedResult(c.result, 0)) << c.name;
    }
    EXPECT_THAT(host.calls, IsEmpty());
}

TEST_F(HostCallsTest, SetParameterAutomatedStoresTheValueBeforeTellingTheHost) {
    effect.setParameterAutomated(2, 0.25f);
    EXPECT_THAT(effect.calls, ElementsAre("setParameter(2, 0.25)"));
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].opcode, audioMasterAutomate);
}

TEST_F(HostCallsTest, MasterVersionIsOneWhenTheHostDoesNotSay) {
    host.answers[audioMasterVersion] = 2400;
    EXPECT_EQ(effect.getMasterVersion(), 2400);
    host.answers[audioMasterVersion] = 0;
    EXPECT_EQ(effect.getMasterVersion(), 1);
    EXPECT_EQ(host.callsWith(audioMasterVersion).size(), 2u);
    EXPECT_EQ(RecordingEffect(nullptr).getMasterVersion(), 1);
}

TEST_F(HostCallsTest, SampleRateAndBlockSizeAreTakenFromTheHostWhenItKnowsThem) {
    effect.sampleRate = 22050.0f;
    effect.blockSize = 300;
    EXPECT_EQ(effect.updateSampleRate(), 22050.0f);
    EXPECT_EQ(effect.updateBlockSize(), 300);

    host.answers[audioMasterGetSampleRate] = -1;
    host.answers[audioMasterGetBlockSize] = -1;
    EXPECT_EQ(effect.updateSampleRate(), 22050.0f);
    EXPECT_EQ(effect.updateBlockSize(), 300);

    host.answers[audioMasterGetSampleRate] = 96000;
    host.answers[audioMasterGetBlockSize] = 64;
    EXPECT_EQ(effect.updateSampleRate(), 96000.0f);
    EXPECT_EQ(effect.updateBlockSize(), 64);
    EXPECT_EQ(effect.sampleRate, 96000.0f);
    EXPECT_EQ(effect.blockSize, 64);

    RecordingEffect unhosted(nullptr);
    EXPECT_EQ(unhosted.updateSampleRate(), 44100.0f);
    EXPECT_EQ(unhosted.updateBlockSize(), 1024);
}

TEST_F(HostCallsTest, FileSelectorWithoutSelectorDoesNotAskTheHost) {
    host.answers[audioMasterOpenFileSelector] = 1;
    EXPECT_FALSE(effect.openFileSelector(nullptr));
    EXPECT_THAT(host.calls, IsEmpty());
}

}  // namespace
