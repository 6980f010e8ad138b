// The on/off button: its two images, the toggle at the press, the reset click and the arrow keys.
#include "control_fixture.h"

#include "gui/CGuiOnOffButton.h"

namespace {

constexpr CGuiRect kButtonRect = {407, 87, 430, 122};  // 23 x 35, as the editor places one
constexpr CGuiPoint kInside = {415, 100};

class OnOffButtonTest : public ControlTest {
protected:
    CGuiOnOffButton* addButton(int style, float value, CGuiBitmap* highlight = nullptr) {
        auto* button = new CGuiOnOffButton(kButtonRect, &listener, 13, bitmaps.get(kButtonBitmap), highlight, style);
        button->setCurrentValue(value);
        return attach(button);
    }
    // The colour of the whole button, or 0 when its pixels differ.
    platform::Colour shown() const {
        const platform::Colour first = pixel(kButtonRect.left, kButtonRect.top);
        for (int y = kButtonRect.top; y < kButtonRect.bottom; ++y) {
            for (int x = kButtonRect.left; x < kButtonRect.right; ++x) {
                if (pixel(x, y) != first)
                    return 0;
            }
        }
        return first;
    }
};

TEST_F(OnOffButtonTest, ShowsTheOnImageForAnyValueButZeroAndInvertedForValuesBelowOne) {
    const struct {
        int style;
        float value;
        platform::Colour image;
    } cases[] = {
        {0, 0.0f, kButtonOff},    {0, 0.4f, kButtonOn},     {0, 0.5f, kButtonOn},    {0, 1.0f, kButtonOn},
        {0x10, 0.0f, kButtonOn},  {0x10, 0.4f, kButtonOn},  {0x40, 0.5f, kButtonOn}, {0x40, 1.0f, kButtonOff},
        {0x20, 0.0f, kButtonOff},  // other bits leave the button normal
    };
    for (const auto& c : cases) {
        CGuiOnOffButton* button = addButton(c.style, c.value);
        EXPECT_EQ(shown(), c.image) << "style " << c.style << " value " << c.value;
        EXPECT_FALSE(button->needsRepaint());
        frame->detachView(button, true);
    }
}

TEST_F(OnOffButtonTest, HostValuesOutsideTheRangeDrawOneOfTheTwoImages) {
    CGuiOnOffButton* button = addButton(0x40, 1e30f);
    EXPECT_EQ(shown(), kButtonOff);
    button->setCurrentValue(-7.0f);
    paintWindow();
    EXPECT_EQ(shown(), kButtonOn);
    EXPECT_EQ(button->currentValue(), -7.0f) << "painting leaves the value alone";
}

TEST_F(OnOffButtonTest, TheHighlightSkinGivesTheImagesWhileHighlighted) {
    CGuiOnOffButton* button = addButton(0, 1.0f, bitmaps.get(kButtonLitBitmap));
    EXPECT_EQ(shown(), kButtonOn);
    button->highlight();
    editor->idle();
    EXPECT_EQ(shown(), kButtonLitOn);
}

TEST_F(OnOffButtonTest, APressTogglesPaintsAndNotifiesBeforeTheRelease) {
    CGuiOnOffButton* button = addButton(0, 1.0f);
    platform::Colour shownAtChange = 0;
    bool trackingAtChange = false;
    listener.onChange = [&] {
        shownAtChange = shown();
        trackingAtChange = gMouseTracking;
    };
    bool trackingWhileHeld = false;
    int heldPasses = 0;
    press(kInside, {[&] { trackingWhileHeld = gMouseTracking; }, [&] { ++heldPasses; }, [&] { ++heldPasses; }});
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_EQ(listener.changes[0].value, 0.0f);
    EXPECT_TRUE(listener.changes[0].withContext);
    EXPECT_TRUE(listener.changes[0].buttonHeld) << "notified at the press, not at the release";
    EXPECT_EQ(shownAtChange, kButtonOff) << "painted before the listener was told";
    EXPECT_TRUE(trackingWhileHeld);
    EXPECT_FALSE(gMouseTracking);
    EXPECT_EQ(heldPasses, 2) << "the press waits for the release";
    EXPECT_EQ(edits(audioMasterBeginEdit), 0) << "a toggle is no gesture";

    button->setCurrentValue(0.4f);  // truncates to 0: the press switches it on
    press(kInside);
    EXPECT_EQ(button->currentValue(), 1.0f);
}

TEST_F(OnOffButtonTest, CtrlClickResetsButDoesNothingAtTheResetValueAndOtherButtonsDoNothing) {
    CGuiOnOffButton* button = addButton(0, 0.5f);
    press(kInside, {}, {platform::Key::MouseLeft, platform::Key::Control});
    EXPECT_EQ(button->currentValue(), 0.5f);
    EXPECT_TRUE(listener.changes.empty());

    button->setCurrentValue(1.0f);
    press(kInside, {}, {platform::Key::MouseLeft, platform::Key::Control});
    EXPECT_EQ(button->currentValue(), 0.5f);
    EXPECT_EQ(listener.changes.size(), 1u);

    press(kInside, {}, {platform::Key::MouseRight});
    button->enableMouse(false);
    press(kInside);
    EXPECT_EQ(button->currentValue(), 0.5f);
    EXPECT_EQ(listener.changes.size(), 1u);
}

TEST_F(OnOffButtonTest, ArrowKeysSwitchOnOrOffAndNotifyOnlyAChange) {
    CGuiOnOffButton* inverted = addButton(0x40, 0.0f);
    inverted->onArrowKey(VKEY_UP, 0);
    EXPECT_EQ(inverted->currentValue(), 0.0f);
    EXPECT_TRUE(listener.changes.empty()) << "already 0 and painted";
    inverted->onArrowKey(VKEY_DOWN, 0);
    EXPECT_EQ(inverted->currentValue(), 1.0f);
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_FALSE(listener.changes[0].withContext);

    CGuiOnOffButton* normal = addButton(0, 0.0f);
    normal->onArrowKey(VKEY_RIGHT, 0);
    EXPECT_EQ(normal->currentValue(), 1.0f);
    normal->onArrowKey(VKEY_LEFT, 0);
    EXPECT_EQ(normal->currentValue(), 0.0f);
    normal->onArrowKey(0x20, 0);
    EXPECT_EQ(normal->currentValue(), 0.0f);
}

}  // namespace
