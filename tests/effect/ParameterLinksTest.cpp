// setParameter and its links: which partners each index writes, what the host is told, and
// in which order.
#include <cmath>
#include <limits>

#include "shell/AEffEditorBase.h"
#include "tests/effect/EffectFixture.h"

namespace {

class ParameterLinksTest : public EffectTest {
protected:
    void SetUp() override { forgetHostCalls(); }
};

TEST_F(ParameterLinksTest, PositionSlidersEchoToTheirMirrorsAndTellTheHost) {
    const struct {
        ParameterIndex slider;
        ParameterIndex mirror;
    } pairs[] = {{kAzimuthSlider, kAzimuth}, {kDistanceSlider, kDistance}, {kElevationSlider, kElevation}};
    for (const auto& pair : pairs) {
        forgetHostCalls();
        effect->setParameter(pair.slider, 0.25f);
        EXPECT_EQ(effect->getParameter(pair.slider), 0.25f);
        EXPECT_EQ(effect->getParameter(pair.mirror), 0.25f);
        EXPECT_EQ(effect->storedProgram(0).params[pair.mirror], 0.25f);
        EXPECT_EQ(automations(), (std::vector<Automation>{{pair.mirror, 0.25f}}));
    }
}

TEST_F(ParameterLinksTest, MirrorsMoveNothingElse) {
    for (ParameterIndex mirror : {kAzimuth, kDistance, kElevation}) {
        effect->setParameter(mirror, 1.0f);
        EXPECT_EQ(effect->getParameter(mirror), 1.0f);
    }
    EXPECT_EQ(effect->getParameter(kAzimuthSlider), 0.5f);
    EXPECT_EQ(effect->getParameter(kDistanceSlider), 0.5f);
    EXPECT_EQ(effect->getParameter(kElevationSlider), 0.0f);
    EXPECT_TRUE(automations().empty());
}

TEST_F(ParameterLinksTest, StoredDepthSetsTheEffectiveDepthWithoutTellingTheHost) {
    effect->setParameter(kAzimuthDepth, 0.4f);
    EXPECT_EQ(effect->getParameter(kAzimuthDepthSlider), 0.4f);
    EXPECT_TRUE(automations().empty());
}

TEST_F(ParameterLinksTest, EffectiveDepthUnderTheSineIsKeptAsTheStoredDepth) {
    effect->setParameter(kAzimuthDepthSlider, 0.3f);
    EXPECT_EQ(effect->getParameter(kAzimuthDepthSlider), 0.3f);
    EXPECT_EQ(effect->getParameter(kAzimuthDepth), 0.3f);
    EXPECT_EQ(automations(), (std::vector<Automation>{{kAzimuthDepth, 0.3f}}));
}

TEST_F(ParameterLinksTest, NonZeroWaveformPinsTheEffectiveDepthAtOne) {
    effect->setParameter(kAzimuthWaveform, 0.5f);
    EXPECT_EQ(effect->getParameter(kAzimuthDepthSlider), 1.0f);

    effect->setParameter(kAzimuthDepthSlider, 0.3f);
    EXPECT_EQ(effect->getParameter(kAzimuthDepthSlider), 1.0f);
    EXPECT_EQ(effect->storedProgram(0).params[kAzimuthDepthSlider], 1.0f);
    EXPECT_EQ(effect->getParameter(kAzimuthDepth), 0.0f);
    EXPECT_TRUE(automations().empty());
}

TEST_F(ParameterLinksTest, WaveformBackToExactlyZeroRestoresTheStoredDepth) {
    effect->setParameter(kAzimuthDepth, 0.4f);
    effect->setParameter(kAzimuthWaveform, 0.6f);
    EXPECT_EQ(effect->getParameter(kAzimuthDepthSlider), 1.0f);
    effect->setParameter(kAzimuthWaveform, 0.0f);
    EXPECT_EQ(effect->getParameter(kAzimuthDepthSlider), 0.4f);
    EXPECT_TRUE(automations().empty());
}

// The pin looks at the raw value: 0.1 still runs the sine in the engine but pins the depth.
TEST_F(ParameterLinksTest, PinTestsTheRawWaveformValue) {
    for (float raw : {0.1f, std::numeric_limits<float>::denorm_min(), -0.5f, std::nanf("")}) {
        effect->setParameter(kAzimuthDepth, 0.4f);
        effect->setParameter(kAzimuthWaveform, 0.0f);
        ASSERT_EQ(effect->getParameter(kAzimuthDepthSlider), 0.4f);
        effect->setParameter(kAzimuthWaveform, raw);
        EXPECT_EQ(effect->getParameter(kAzimuthDepthSlider), 1.0f) << raw;
    }
    effect->setParameter(kAzimuthWaveform, -0.0f);  // equal to 0.0
    EXPECT_EQ(effect->getParameter(kAzimuthDepthSlider), 0.4f);
}

TEST_F(ParameterLinksTest, ValuesAreStoredAsTheyArrive) {
    const float values[] = {1.5f, -3.0f, 1e30f, std::numeric_limits<float>::infinity()};
    for (float value : values) {
        effect->setParameter(kStereoField, value);
        EXPECT_EQ(effect->getParameter(kStereoField), value);
    }
    effect->setParameter(kQuality, std::nanf(""));
    EXPECT_TRUE(std::isnan(effect->getParameter(kQuality)));
}

TEST_F(ParameterLinksTest, AutomatedSliderTellsTheHostAboutTheMirrorFirst) {
    effect->setParameterAutomated(kAzimuthSlider, 0.25f);
    EXPECT_EQ(automations(), (std::vector<Automation>{{kAzimuth, 0.25f}, {kAzimuthSlider, 0.25f}}));
}

// The host hears the value it was handed, even where the link stored another one.
TEST_F(ParameterLinksTest, AutomatedPinnedDepthReportsTheValueGiven) {
    effect->setParameter(kAzimuthWaveform, 1.0f);
    forgetHostCalls();
    effect->setParameterAutomated(kAzimuthDepthSlider, 0.3f);
    EXPECT_EQ(effect->getParameter(kAzimuthDepthSlider), 1.0f);
    EXPECT_EQ(automations(), (std::vector<Automation>{{kAzimuthDepthSlider, 0.3f}}));
}

TEST_F(ParameterLinksTest, AutomationAnswersWhatTheHostAnswers) {
    host.answers[audioMasterAutomate] = 7;
    EXPECT_EQ(effect->setParameterAutomated(kQuality, 1.0f), 7);
}

TEST_F(ParameterLinksTest, EveryChangeRaisesTheUpdateFlagAndTellsTheEditor) {
    for (int32_t index : {0, 4, 14, 15, -1}) {
        runEmptyBlock();
        effect->editor->updatePending = 0;
        ASSERT_FALSE(effect->isUpdatePending());
        effect->setParameter(index, 0.3f);
        EXPECT_TRUE(effect->isUpdatePending()) << "index " << index;
        EXPECT_EQ(effect->editor->updatePending, 1) << "index " << index;
    }
}

TEST_F(ParameterLinksTest, IndicesOutsideTheTableStoreAndAnswerNothing) {
    effect->setParameter(15, 0.9f);
    effect->setParameter(-1, 0.9f);
    effect->setParameterAutomated(15, 0.9f);
    for (int32_t index = 0; index < kNumParameters; ++index)
        EXPECT_NE(effect->getParameter(index), 0.9f) << "index " << index;
    EXPECT_EQ(effect->getParameter(15), 0.0f);
    EXPECT_EQ(effect->getParameter(-1), 0.0f);
    EXPECT_EQ(effect->getParameter(1000), 0.0f);
    EXPECT_TRUE(effect->canParameterBeAutomated(14));
    EXPECT_FALSE(effect->canParameterBeAutomated(15));
    EXPECT_FALSE(effect->canParameterBeAutomated(-1));
}

}  // namespace
