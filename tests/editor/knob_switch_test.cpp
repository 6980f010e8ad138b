// The strip knob and the position switch: their images, their drags and their arrow keys.
#include "editor_test_support.h"

#include <limits>

#include "editor/CPositionSwitch.h"
#include "editor/CStripKnob.h"
#include "effect/ParameterTable.h"

namespace editor_test {
namespace {

constexpr CGuiPoint kDepthKnobCentre = {238, 102};  // row 12, 224..252 x 88..116

using StripKnobTest = EditorTest;

TEST_F(StripKnobTest, TheValuePicksTheImage) {
    openEditor();
    auto* knob = dynamic_cast<CStripKnob*>(control(kRowAzimuthDepthKnob));
    ASSERT_NE(knob, nullptr);
    const struct {
        float value;
        int image;
    } cases[] = {{0.0f, 0}, {0.5f, 15}, {1.0f, 30}, {0.999f, 30}, {7.0f, 30}, {-1.0f, 0},
                 {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto& each : cases) {
        SCOPED_TRACE(each.value);
        effect->setParameter(kAzimuthDepthSlider, each.value);
        idle();
        EXPECT_EQ(knob->imageIndex(), each.image);
        EXPECT_EQ(pixel(kDepthKnobCentre.h, kDepthKnobCentre.v), knobColour(each.image));
        EXPECT_EQ(pixel(224, 88), knobColour(each.image));
        EXPECT_EQ(pixel(251, 115), knobColour(each.image));
    }
}

TEST_F(StripKnobTest, TheDeadZoneBelowSplitsBetweenTheEndsAndUpIsTheMiddle) {
    openEditor();
    drag({kDepthKnobCentre.h - 2, kDepthKnobCentre.v + 12},  // below, left of the middle: 0, unchanged
         {{kDepthKnobCentre.h + 2, kDepthKnobCentre.v + 28},  // further below, right: 1
          {kDepthKnobCentre.h + 2, kDepthKnobCentre.v + 28},  // held still
          {kDepthKnobCentre.h, kDepthKnobCentre.v - 22},      // straight up: 0.5
          {kDepthKnobCentre.h + 14, kDepthKnobCentre.v}});    // right: (90 + 150) / 300
    const std::vector<Gesture> expected = {
        begin(kAzimuthDepthSlider),
        automate(kAzimuthDepth, 1.0f), automate(kAzimuthDepthSlider, 1.0f),
        automate(kAzimuthDepth, 0.5f), automate(kAzimuthDepthSlider, 0.5f),
        automate(kAzimuthDepth, 0.8f), automate(kAzimuthDepthSlider, 0.8f),
        end(kAzimuthDepthSlider),
    };
    EXPECT_EQ(gestures(), expected);
    EXPECT_EQ(pixel(kDepthKnobCentre.h, kDepthKnobCentre.v), knobColour(24)) << "repainted within the drag";
    EXPECT_FALSE(gMouseTracking);
}

TEST_F(StripKnobTest, TheSpeedsArrowsStepOnTheirGrid) {
    openEditor();
    CGuiSkinControl* speed = control(kRowAzimuthSpeedKnob);
    effect->setParameter(kAzimuthSpeed, 0.5f);
    speed->onArrowKey(VKEY_UP, 0);
    EXPECT_FLOAT_EQ(effect->getParameter(kAzimuthSpeed), 11.0f / 19.0f);
    effect->setParameter(kAzimuthSpeed, 0.5f);
    speed->onArrowKey(VKEY_RIGHT, 0);
    EXPECT_FLOAT_EQ(effect->getParameter(kAzimuthSpeed), 12.0f / 19.0f);
    speed->onArrowKey(VKEY_LEFT, 0);
    speed->onArrowKey(VKEY_DOWN, 0);
    EXPECT_FLOAT_EQ(effect->getParameter(kAzimuthSpeed), 9.0f / 19.0f);
    effect->setParameter(kAzimuthSpeed, 1.0f);
    idle();
    forgetHostCalls();
    speed->onArrowKey(VKEY_UP, 0);
    EXPECT_EQ(speed->currentValue(), 1.0f);
    EXPECT_TRUE(gestures().empty()) << "kept at the top, nothing to report";
}

class PositionSwitchTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        openEditor();
        positionSwitch = dynamic_cast<CPositionSwitch*>(control(kRowSwitch));
        ASSERT_NE(positionSwitch, nullptr);
    }
    CPositionSwitch* positionSwitch = nullptr;
};

TEST_F(PositionSwitchTest, ThePointersHeightPicksTheBand) {
    EXPECT_EQ(positionSwitch->stepCount, 2.0f);
    EXPECT_EQ(positionSwitch->valueAt({230, 217}), 0.0f) << "the bottom edge row";
    EXPECT_EQ(positionSwitch->valueAt({230, 204}), 0.0f);
    EXPECT_EQ(positionSwitch->valueAt({230, 203}), 0.5f);
    EXPECT_EQ(positionSwitch->valueAt({230, 191}), 0.5f);
    EXPECT_EQ(positionSwitch->valueAt({230, 190}), 1.0f);
    EXPECT_EQ(positionSwitch->valueAt({230, 150}), 1.0f) << "above the top";
    EXPECT_EQ(positionSwitch->valueAt({230, 260}), 0.0f) << "below the bottom";
}

TEST_F(PositionSwitchTest, TheValuePicksTheImage) {
    for (const auto& each : {std::pair<float, int>{0.49f, 0}, {0.5f, 1}, {0.99f, 1}, {1.0f, 2}, {3.0f, 2}}) {
        effect->setParameter(kAzimuthWaveform, each.first);
        idle();
        EXPECT_EQ(pixel(236, 197), switchColour(each.second)) << each.first;
    }
}

TEST_F(PositionSwitchTest, ADragReportsEachBandOnceAndASecondButtonEndsIt) {
    moveMouse({236, 216});
    platform::soft::holdKey(platform::Key::MouseLeft);
    int pass = 0;
    platform::soft::setSleepHook([&](uint32_t) {
        switch (pass++) {
        case 0: moveMouse({236, 180}); break;  // the top band: 1
        case 1: moveMouse({236, 181}); break;  // still the top band
        case 3: platform::soft::holdKey(platform::Key::MouseRight); break;
        case 4: moveMouse({236, 197}); break;  // too late: the drag is over
        case 6: platform::soft::releaseKey(platform::Key::MouseLeft); break;
        default: break;
        }
    });
    platform::soft::pressButton(window(), {236, 216});
    platform::soft::setSleepHook({});
    platform::soft::releaseKey(platform::Key::MouseLeft);
    platform::soft::releaseKey(platform::Key::MouseRight);
    EXPECT_EQ(gestures(), (std::vector<Gesture>{begin(kAzimuthWaveform), automate(kAzimuthWaveform, 1.0f),
                                                end(kAzimuthWaveform)}));
    EXPECT_EQ(effect->getParameter(kAzimuthWaveform), 1.0f);
    EXPECT_LT(pass, 5) << "the loop ended at the second button";
}

TEST_F(PositionSwitchTest, TheUpAndDownArrowsStepAndStopAtTheEnds) {
    positionSwitch->onArrowKey(VKEY_UP, 0);
    EXPECT_EQ(effect->getParameter(kAzimuthWaveform), 0.5f);
    positionSwitch->onArrowKey(VKEY_RIGHT, 0);
    positionSwitch->onArrowKey(VKEY_UP, 0);
    EXPECT_EQ(effect->getParameter(kAzimuthWaveform), 1.0f);
    idle();
    forgetHostCalls();
    positionSwitch->onArrowKey(VKEY_UP, 0);
    EXPECT_EQ(positionSwitch->currentValue(), 1.0f);
    EXPECT_TRUE(gestures().empty());
    positionSwitch->onArrowKey(VKEY_DOWN, 0);
    positionSwitch->onArrowKey(VKEY_DOWN, 0);
    EXPECT_EQ(effect->getParameter(kAzimuthWaveform), 0.0f);
}

}  // namespace
}  // namespace editor_test
