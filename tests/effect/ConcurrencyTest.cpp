// One thread changes parameters at random while another renders, as a host's control and audio
// threads do; automation played back on the audio thread meets the editor's idle on the control
// thread. Run under ThreadSanitizer this must report nothing; in every build the last change must
// reach the engine and the editor.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "dsp/spatialiser_state.h"
#include "shell/AEffEditorBase.h"
#include "tests/effect/EffectFixture.h"

namespace {

TEST_F(EffectTest, ParameterChangesWhileRenderingReachTheEngine) {
    std::atomic<bool> changing{true};
    std::atomic<int> blocksRendered{0};
    std::thread audio([&] {
        constexpr int32_t kBlock = 64;
        std::vector<float> left(kBlock, 0.1f), right(kBlock, -0.1f), out0(kBlock), out1(kBlock);
        float* inputs[2] = {left.data(), right.data()};
        float* outputs[2] = {out0.data(), out1.data()};
        while (changing.load()) {
            effect->processReplacing(inputs, outputs, kBlock);
            ++blocksRendered;
        }
    });
    while (blocksRendered.load() == 0) std::this_thread::yield();

    std::mt19937 random(20240611);
    std::uniform_int_distribution<int32_t> anyIndex(0, kNumParameters - 1);
    std::uniform_real_distribution<float> anyValue(-0.5f, 1.5f);
    for (int change = 0; change < 20000; ++change) {
        const int32_t index = anyIndex(random);
        const float value = change % 1000 == 999 ? std::nanf("") : anyValue(random);
        if (change % 2) effect->setParameterAutomated(index, value);
        else effect->setParameter(index, value);
    }
    effect->setParameter(kQuality, 1.0f);
    effect->setParameter(kAzimuthSlider, 0.625f);
    changing = false;
    audio.join();

    runEmptyBlock();
    EXPECT_EQ(effect->engine()->azimuthTarget, 0.25f);
    EXPECT_EQ(effect->engine()->quality, 1.0f);
}

TEST_F(EffectTest, EditorIdlesWhileTheAudioThreadAutomatesParameters) {
    std::atomic<bool> automating{true};
    std::atomic<int> changesMade{0};
    std::thread audio([&] {
        for (int change = 0; automating.load(); ++change) {
            effect->setParameter(kElevationSlider, static_cast<float>(change % 100) / 100.0f);
            runEmptyBlock();
            ++changesMade;
        }
    });
    while (changesMade.load() < 1000) effect->editor->idle();
    automating = false;
    audio.join();

    effect->editor->idle();
    EXPECT_EQ(effect->editor->updatePending, 0);
    effect->setParameter(kElevationSlider, 0.5f);
    EXPECT_EQ(effect->editor->updatePending, 1);
}

// A host switches, renames and copies programs on its control thread while its audio thread
// automates. Every value the audio thread sets is a multiple of 1/1024; the store starts with the
// bank's values and the links add 1.0. Afterwards no live value, no stored value and no name may be
// anything that was never set: a torn or mixed write would show as one. The host callback is left
// out: the recording host keeps one list for calls from any thread.
TEST(ProgramStoreTest, ProgramSwitchingDuringAutomationKeepsOnlyValuesThatWereSet) {
    const auto effect = std::make_unique<CEffect>(nullptr);
    std::set<float> setValues = {1.0f};
    for (int32_t program = 0; program < kNumPrograms; ++program)
        for (int32_t index = 0; index < kNumParameters; ++index) setValues.insert(effect->storedProgram(program).params[index]);
    for (int step = 0; step <= 1024; ++step) setValues.insert(static_cast<float>(step) / 1024.0f);
    const std::vector<std::string> names = {"Default", "Hall with a long tail 27ch", "Booth"};

    std::atomic<bool> automating{true};
    std::atomic<int> changesMade{0};
    std::thread audio([&] {
        std::mt19937 random(7);
        std::uniform_int_distribution<int32_t> anyIndex(0, kNumParameters - 1);
        std::uniform_int_distribution<int> anyStep(0, 1024);
        constexpr int32_t kBlock = 16;
        std::vector<float> in(kBlock, 0.25f), out0(kBlock), out1(kBlock);
        float* inputs[2] = {in.data(), in.data()};
        float* outputs[2] = {out0.data(), out1.data()};
        while (automating.load()) {
            effect->setParameter(anyIndex(random), static_cast<float>(anyStep(random)) / 1024.0f);
            if (++changesMade % 8 == 0) effect->processReplacing(inputs, outputs, kBlock);
        }
    });

    std::mt19937 random(11);
    std::uniform_int_distribution<int32_t> anyProgram(0, kNumPrograms - 1);
    for (int round = 0; round < 3000; ++round) {
        effect->setProgram(anyProgram(random));
        std::string name = names[round % names.size()];
        effect->setProgramName(name.data());
        effect->copyProgram(anyProgram(random));
        char text[24];
        effect->getProgramName(text);
    }
    while (changesMade.load() < 3000) std::this_thread::yield();
    automating = false;
    audio.join();

    for (int32_t index = 0; index < kNumParameters; ++index)
        EXPECT_EQ(setValues.count(effect->getParameter(index)), 1u) << "live value " << index;
    for (int32_t program = 0; program < kNumPrograms; ++program) {
        const CEffectProgram stored = effect->storedProgram(program);
        for (int32_t index = 0; index < kNumParameters; ++index)
            EXPECT_EQ(setValues.count(stored.params[index]), 1u) << "program " << program << " value " << index;
        EXPECT_NE(std::find(names.begin(), names.end(), std::string(stored.name)), names.end()) << stored.name;
    }
}

}  // namespace
