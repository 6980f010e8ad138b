// One thread changes parameters at random while another renders, as a host's control and audio
// threads do; automation played back on the audio thread meets the editor's idle on the control
// thread. Run under ThreadSanitizer this must report nothing; in every build the last change must
// reach the engine and the editor.
#include <atomic>
#include <cmath>
#include <random>
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

}  // namespace
