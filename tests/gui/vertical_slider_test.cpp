// The vertical slider: the handle's place for a value, jump-to-click and grab-the-handle drags, the
// fine mode, the wheel and the arrow keys.
#include "control_fixture.h"

#include "gui/CGuiVerticalSlider.h"

namespace {

// The editor's azimuth slider: a 21 x 142 track, the handle's top travelling over rows 75..199.
constexpr CGuiRect kSliderRect = {200, 74, 221, 216};
constexpr int kTravelTop = 75;
constexpr int kTravelBottom = 199;
constexpr int kHandleColumn = 209;  // the middle of the 18-pixel handle at left offset 1

class VerticalSliderTest : public ControlTest {
protected:
    CGuiVerticalSlider* addSlider(float value, int style = 0x40, bool withTrack = true,
                                  CGuiRect rect = kSliderRect, int travelTop = kTravelTop,
                                  int travelBottom = kTravelBottom) {
        auto* slider = new CGuiVerticalSlider(rect, &listener, 4, travelTop, travelBottom,
                                              withTrack ? bitmaps.get(kTrackBitmap) : nullptr, nullptr,
                                              bitmaps.get(kHandleBitmap), nullptr, {0, 0}, {1, 0}, false, true,
                                              style, 360.0f, 0);
        slider->setCurrentValue(value);
        return attach(slider);
    }
    // The first and one past the last row of the handle's yellow in its middle column.
    std::pair<int, int> handleRows() const {
        int first = -1;
        int end = -1;
        for (int y = kSliderRect.top; y < kSliderRect.bottom; ++y) {
            if (pixel(kHandleColumn, y) == kHandleYellow) {
                if (first < 0)
                    first = y;
                end = y + 1;
            }
        }
        return {first, end};
    }
    std::function<void()> mouseTo(int v) {
        return [this, v] { moveMouse(kHandleColumn, v); };
    }
    static std::function<void()> still() {
        return [] {};
    }
};

TEST_F(VerticalSliderTest, PaintsTheHandleKeyedOverTheTrackWhereTheValuePutsIt) {
    CGuiVerticalSlider* slider = addSlider(1.0f);
    const struct {
        float value;
        int top;
    } cases[] = {{1.0f, 75}, {0.5f, 137}, {0.0f, 199}, {7.0f, 75}, {-3.0f, 199}};
    for (const auto& c : cases) {
        slider->setCurrentValue(c.value);
        editor->idle();
        EXPECT_EQ(handleRows(), std::make_pair(c.top, c.top + 16)) << c.value;
        EXPECT_EQ(slider->handleTop, c.top);
        EXPECT_EQ(pixel(kSliderRect.left + 1, c.top), trackPixel(1, c.top - kSliderRect.top)) << "keyed corner";
        EXPECT_EQ(pixel(kSliderRect.left + 2, c.top + 2), kHandleYellow);
        const int above = c.top - 1;
        EXPECT_EQ(pixel(kHandleColumn, above), trackPixel(9, above - kSliderRect.top));
    }
    EXPECT_EQ(slider->currentValue(), -3.0f) << "painting leaves the value alone";

    slider->styleBits = 0x20;  // value 0 at the top
    slider->setCurrentValue(0.0f);
    editor->idle();
    EXPECT_EQ(handleRows().first, 75);
}

TEST_F(VerticalSliderTest, WithoutATrackTheHandleIsPaintedOnBlack) {
    addSlider(0.5f, 0x40, false);
    EXPECT_EQ(handleRows(), std::make_pair(137, 153));
    EXPECT_EQ(pixel(kSliderRect.left, kSliderRect.top), kBlack);
    EXPECT_EQ(pixel(kHandleColumn, 100), kBlack);
    EXPECT_EQ(pixel(kSliderRect.left + 1, 137), kBlack) << "keyed corner over black";
    EXPECT_EQ(pixel(kSliderRect.right - 1, kSliderRect.bottom - 1), kBlack);
}

TEST_F(VerticalSliderTest, JumpToClickPutsTheHandlesCentreUnderTheMouse) {
    // Travel of 100 pixels; the grab line is the travel top plus half the handle less one.
    CGuiVerticalSlider* slider = addSlider(0.0f, 0x40, true, {10, 49, 31, 200}, 50, 150);
    const int grabLine = 50 + 8 - 1;
    press({20, grabLine + 30}, {still(), still()});
    EXPECT_FLOAT_EQ(slider->currentValue(), 0.7f);
    ASSERT_EQ(listener.changes.size(), 1u) << "holding still reports nothing more";
    EXPECT_TRUE(listener.changes[0].withContext);
    EXPECT_EQ(edits(audioMasterBeginEdit), 1);
    EXPECT_EQ(edits(audioMasterEndEdit), 1);
    EXPECT_FALSE(gMouseTracking);

    listener.changes.clear();
    slider->styleBits = 0;  // downwards raises the value
    press({20, grabLine + 30}, {mouseTo(grabLine + 500), still(), still()});
    EXPECT_EQ(slider->currentValue(), 1.0f) << "stops at the bound";
    ASSERT_EQ(listener.changes.size(), 2u);
    EXPECT_FLOAT_EQ(listener.changes[0].value, 0.3f);
}

TEST_F(VerticalSliderTest, ShiftHalfwayThroughADragMovesATenthAsFastFromWhereItWas) {
    CGuiVerticalSlider* slider = addSlider(0.0f, 0x40, true, {10, 49, 31, 200}, 50, 150);
    const int grabLine = 57;
    // Each pass reads the mouse for the next one, so a move shows one pass later.
    press({20, grabLine + 30},
          {mouseTo(grabLine + 40), still(), [] { platform::soft::holdKey(platform::Key::Shift); },
           mouseTo(grabLine + 90), still(), still()});
    EXPECT_FLOAT_EQ(slider->currentValue(), 0.55f);
    ASSERT_EQ(listener.changes.size(), 3u);
    EXPECT_FLOAT_EQ(listener.changes[0].value, 0.7f);
    EXPECT_FLOAT_EQ(listener.changes[1].value, 0.6f);

    // Shift held from the press: fine from the value the slider had then.
    listener.changes.clear();
    press({20, grabLine + 30}, {still()}, {platform::Key::MouseLeft, platform::Key::Shift});
    EXPECT_FLOAT_EQ(slider->currentValue(), 0.55f + (0.7f - 0.55f) / 10.0f);
}

TEST_F(VerticalSliderTest, WithoutJumpToClickOnlyThePressOnTheHandleDragsAndKeepsItsGrip) {
    CGuiVerticalSlider* slider = addSlider(0.5f);
    slider->setJumpToClick(false);
    EXPECT_FALSE(slider->jumpToClick());
    press({205, 120}, {still()});  // above the handle at 137..153
    press({kSliderRect.left, 140}, {still()});  // left of it
    EXPECT_EQ(slider->currentValue(), 0.5f);
    EXPECT_TRUE(listener.changes.empty());
    EXPECT_EQ(edits(audioMasterBeginEdit), 0);

    press({205, 140}, {still(), mouseTo(171), still(), still()});
    EXPECT_FLOAT_EQ(slider->currentValue(), 0.25f);
    ASSERT_EQ(listener.changes.size(), 1u) << "grabbing does not move the handle";
    EXPECT_EQ(edits(audioMasterBeginEdit), 1);
}

TEST_F(VerticalSliderTest, CtrlClickResetsAndOtherButtonsDoNothing) {
    CGuiVerticalSlider* slider = addSlider(0.9f);
    press({205, 100}, {}, {platform::Key::MouseRight});
    EXPECT_EQ(slider->currentValue(), 0.9f);
    press({205, 100}, {}, {platform::Key::MouseLeft, platform::Key::Control});
    EXPECT_EQ(slider->currentValue(), 0.5f);
    EXPECT_EQ(edits(audioMasterBeginEdit), 0);
}

TEST_F(VerticalSliderTest, TheWheelStepsByTheWheelStepATenthWithShiftAndStopsAtTheBound) {
    CGuiVerticalSlider* slider = addSlider(0.5f);
    moveMouse(205, 100);
    EXPECT_TRUE(editor->wheelTurned(1.0f));
    EXPECT_FLOAT_EQ(slider->currentValue(), 0.6f);
    platform::soft::holdKey(platform::Key::Shift);
    editor->wheelTurned(-1.0f);
    EXPECT_FLOAT_EQ(slider->currentValue(), 0.59f);
    platform::soft::releaseKey(platform::Key::Shift);
    EXPECT_EQ(listener.changes.size(), 2u);

    slider->setCurrentValue(1.0f);
    editor->idle();
    listener.changes.clear();
    editor->wheelTurned(1.0f);
    EXPECT_EQ(slider->currentValue(), 1.0f);
    EXPECT_TRUE(listener.changes.empty()) << "at the bound and painted";
    EXPECT_EQ(edits(audioMasterBeginEdit), 0) << "wheel turns are no gesture";

    slider->enableMouse(false);
    EXPECT_FALSE(slider->onWheelTurned(nullptr, {0, 0}, -1.0f));
    EXPECT_EQ(slider->currentValue(), 1.0f);
}

TEST_F(VerticalSliderTest, ArrowKeysStepLikeTheValueDisplay) {
    CGuiVerticalSlider* slider = addSlider(0.5f);
    slider->stepCount = 10.0f;
    slider->onArrowKey(VKEY_RIGHT, 0);
    EXPECT_FLOAT_EQ(slider->currentValue(), 0.7f);
    slider->onArrowKey(VKEY_DOWN, 0);
    EXPECT_FLOAT_EQ(slider->currentValue(), 0.6f);
    EXPECT_EQ(listener.changes.size(), 2u);
    slider->styleBits |= 0x8000;
    slider->onArrowKey(VKEY_UP, 0);
    EXPECT_FLOAT_EQ(slider->currentValue(), 0.6f);
    EXPECT_FLOAT_EQ(slider->fineDivisor(), 10.0f);
    slider->setFineDivisor(4.0f);
    EXPECT_FLOAT_EQ(slider->fineDivisor(), 4.0f);
}

}  // namespace
