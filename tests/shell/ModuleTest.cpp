// The test module opened through the operating system's loader, as a host opens it: the entry
// point, the record at its published offsets, the calling convention of the entry functions,
// and a load/close cycle.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/shell/test_effect/CallText.h"
#include "tests/shell/test_effect/RecordingEffect.h"
#include "tests/shell/test_effect/TestEffectFactory.h"
#include "tests/support/LoadedModule.h"
#include "tests/support/PluginCalls.h"
#include "tests/support/RecordingHost.h"

namespace {

const std::string kModulePath = pathBesideExecutable(SHELL_TEST_EFFECT_MODULE);

// Published offsets of the effect record's fields: 32-bit fields and pointer-sized ones in order.
struct RecordLayout {
    size_t size, dispatcher, process, setParameter, getParameter, numPrograms, numParams, numInputs, numOutputs,
        flags, resvd1, resvd2, initialDelay, realQualities, offQualities, ioRatio, object, user, uniqueID, version,
        processReplacing, future;
};
constexpr RecordLayout kRecord32{144, 4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 44, 48, 52, 56, 60, 64, 68, 72, 76, 80, 84};
constexpr RecordLayout kRecord64{192, 8,  16, 24, 32, 40, 44,  48,  52,  56,  64,  72,
                                 80,  84, 88, 92, 96, 104, 112, 116, 120, 128};
constexpr RecordLayout kRecord = sizeof(void*) == 4 ? kRecord32 : kRecord64;

template <typename T>
T readAt(const AEffect* record, size_t offset) {
    T value;
    std::memcpy(&value, reinterpret_cast<const unsigned char*>(record) + offset, sizeof value);
    return value;
}

RecordingEffect* recordingEffectOf(AEffect* record) {
    return static_cast<RecordingEffect*>(static_cast<AEffPlugin*>(record->object));
}

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(module.isLoaded()) << kModulePath << ": " << module.loadError();
        vstMain = module.mainEntry();
        ASSERT_NE(vstMain, nullptr);
    }

    RecordingHost host;
    LoadedModule module{kModulePath};
    VstMainFunction vstMain = nullptr;
};

TEST_F(ModuleTest, ExportsMainAndOn64BitWindowsAlsoVSTPluginMain) {
#if defined(_WIN64)
    EXPECT_EQ(module.pluginMainEntry(), vstMain);
#else
    EXPECT_EQ(module.pluginMainEntry(), nullptr);
#endif
}

TEST_F(ModuleTest, MainAsksTheHostVersionAndHandsOutAFilledRecord) {
    AEffect* record = vstMain(host.callback());
    ASSERT_NE(record, nullptr);

    ASSERT_FALSE(host.calls.empty());
    const HostCall& first = host.calls.front();
    EXPECT_EQ(first.effect, nullptr);
    EXPECT_EQ(first.opcode, audioMasterVersion);
    EXPECT_EQ(first.index, 0);
    EXPECT_EQ(first.value, 0);
    EXPECT_EQ(first.ptr, nullptr);
    EXPECT_EQ(first.opt, 0.0f);

    EXPECT_EQ(sizeof(AEffect), kRecord.size);
    EXPECT_EQ(readAt<int32_t>(record, 0), fourCharCode('V', 's', 't', 'P'));
    EXPECT_EQ(readAt<void*>(record, kRecord.dispatcher), reinterpret_cast<void*>(record->dispatcher));
    EXPECT_NE(readAt<void*>(record, kRecord.dispatcher), nullptr);
    EXPECT_NE(readAt<void*>(record, kRecord.process), nullptr);
    EXPECT_NE(readAt<void*>(record, kRecord.setParameter), nullptr);
    EXPECT_NE(readAt<void*>(record, kRecord.getParameter), nullptr);
    EXPECT_NE(readAt<void*>(record, kRecord.processReplacing), nullptr);
    EXPECT_EQ(readAt<int32_t>(record, kRecord.numPrograms), RecordingEffect::kNumPrograms);
    EXPECT_EQ(readAt<int32_t>(record, kRecord.numParams), RecordingEffect::kNumParams);
    EXPECT_EQ(readAt<int32_t>(record, kRecord.numInputs), 1);
    EXPECT_EQ(readAt<int32_t>(record, kRecord.numOutputs), 2);
    EXPECT_EQ(readAt<int32_t>(record, kRecord.flags), effFlagsHasEditor);
    EXPECT_EQ(readAt<intptr_t>(record, kRecord.resvd1), 0);
    EXPECT_EQ(readAt<intptr_t>(record, kRecord.resvd2), 0);
    EXPECT_EQ(readAt<int32_t>(record, kRecord.initialDelay), 0);
    EXPECT_EQ(readAt<int32_t>(record, kRecord.realQualities), 0);
    EXPECT_EQ(readAt<int32_t>(record, kRecord.offQualities), 0);
    EXPECT_EQ(readAt<float>(record, kRecord.ioRatio), 1.0f);
    EXPECT_NE(readAt<void*>(record, kRecord.object), nullptr);
    EXPECT_EQ(readAt<void*>(record, kRecord.user), nullptr);
    EXPECT_EQ(readAt<int32_t>(record, kRecord.uniqueID), fourCharCode('N', 'o', 'E', 'f'));
    EXPECT_EQ(readAt<int32_t>(record, kRecord.version), 1);
    for (size_t offset = kRecord.future; offset < kRecord.size; ++offset) {
        EXPECT_EQ(readAt<unsigned char>(record, offset), 0) << "future byte at " << offset;
    }

    EXPECT_EQ(closeEffect(record), 1);
}

TEST_F(ModuleTest, MainRefusesAHostThatAnswersVersionZeroAndCreatesNothing) {
    host.answers[audioMasterVersion] = 0;
    EXPECT_EQ(vstMain(host.callback()), nullptr);
    // The module's effect asks the host a question when it is created: it never was.
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].opcode, audioMasterVersion);
}

TEST_F(ModuleTest, MainRefusesWithoutHostCallback) { EXPECT_EQ(vstMain(nullptr), nullptr); }

TEST_F(ModuleTest, MainDiscardsAnInstanceWithoutEditor) {
    host.answers[audioMasterCanDo] = 1;  // the test module then makes no editor
    EXPECT_EQ(vstMain(host.callback()), nullptr);
    const auto questions = host.callsWith(audioMasterCanDo);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].text, kWithoutEditorQuestion);
}

TEST_F(ModuleTest, EntryFunctionsPassArgumentsAndResultsAcrossTheBoundary) {
    AEffect* record = vstMain(host.callback());
    ASSERT_NE(record, nullptr);
    RecordingEffect* effect = recordingEffectOf(record);
    char text[16] = {};
    float left[8] = {};
    float right[8] = {};
    float* channels[] = {left, right};

    dispatch(record, effSetProgram, 0, 5);
    EXPECT_EQ(effect->calls.back(), "setProgram(5)");
    dispatch(record, effVendorSpecific, -7, 123456, text, 0.375f);
    EXPECT_EQ(effect->calls.back(), callText("vendorSpecific", -7, 123456, text, 0.375f));
    record->setParameter(record, 3, 0.75f);
    EXPECT_EQ(effect->calls.back(), "setParameter(3, 0.75)");
    record->process(record, channels, channels, 8);
    EXPECT_EQ(effect->calls.back(), callText("process", channels, channels, 8));
    record->processReplacing(record, channels, channels, 7);
    EXPECT_EQ(effect->calls.back(), callText("processReplacing", channels, channels, 7));

    effect->floatAnswer = -0.3125f;
    EXPECT_EQ(record->getParameter(record, 2), -0.3125f);
    effect->answer = -9;
    EXPECT_EQ(dispatch(record, effGetVendorVersion), -9);
    EXPECT_EQ(dispatch(record, effIdentify), fourCharCode('N', 'v', 'E', 'f'));

    // The module's editor is the plain base.
    ERect stale{};
    ERect* rect = &stale;
    EXPECT_EQ(dispatch(record, effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(rect, nullptr);
    EXPECT_EQ(dispatch(record, effEditKeyDown, 'q', VKEY_UP, nullptr, 1.0f), -1);

    EXPECT_EQ(closeEffect(record), 1);
}

TEST_F(ModuleTest, InstancesOfOneModuleAreIndependent) {
    AEffect* first = vstMain(host.callback());
    AEffect* second = vstMain(host.callback());
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first->object, second->object);
    dispatch(first, effSetBlockSize, 0, 64);
    EXPECT_EQ(recordingEffectOf(first)->calls.back(), "setBlockSize(64)");
    EXPECT_TRUE(recordingEffectOf(second)->calls.empty());
    EXPECT_EQ(closeEffect(first), 1);
    dispatch(second, effSetBlockSize, 0, 32);
    EXPECT_EQ(recordingEffectOf(second)->calls.back(), "setBlockSize(32)");
    EXPECT_EQ(closeEffect(second), 1);
}

TEST(ModuleLifecycle, LoadInstantiateCloseUnloadHundredTimes) {
    RecordingHost host;
    for (int round = 0; round < 100; ++round) {
        LoadedModule module(kModulePath);
        ASSERT_TRUE(module.isLoaded()) << "round " << round << ": " << module.loadError();
        const VstMainFunction vstMain = module.mainEntry();
        ASSERT_NE(vstMain, nullptr);
        AEffect* record = vstMain(host.callback());
        ASSERT_NE(record, nullptr) << "round " << round;
        EXPECT_EQ(dispatch(record, effOpen), 0);
        EXPECT_EQ(dispatch(record, effMainsChanged, 0, 1), 0);
        EXPECT_EQ(dispatch(record, effMainsChanged, 0, 0), 0);
        ASSERT_EQ(closeEffect(record), 1) << "round " << round;
    }
}

}  // namespace
