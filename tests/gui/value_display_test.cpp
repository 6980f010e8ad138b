// The value display: its text and background, the vertical drag with the hidden cursor, the arrow
// keys, the hover cursor and the styles that hide, mute or lock it.
#include "control_fixture.h"

#include <cstdio>

#include "gui/CGuiOffscreen.h"
#include "gui/CGuiValueDisplay.h"

namespace {

constexpr CGuiRect kDisplayRect = {197, 225, 225, 237};  // 28 x 12, as the editor's read-outs
constexpr CGuiPoint kInside = {210, 230};
constexpr platform::Point kStart = {kHostRect.left + 210, kHostRect.top + 230};
constexpr CGuiColor kAmber = {255, 207, 99, 0};
constexpr CGuiColor kNavy = {0, 0, 100, 0};

// Cursor moves relative to the start point, for the drag scripts.
std::function<void()> cursorBy(int dy) {
    return [dy] { platform::setCursorPosition({kStart.x, kStart.y + dy}); };
}
std::function<void()> still() {
    return [] {};
}

class ValueDisplayTest : public ControlTest {
protected:
    CGuiValueDisplay* addDisplay(float value, int style = 0, float stepCount = 100.0f, int factor = 1,
                                 CGuiBitmap* skin = nullptr) {
        auto* display =
            new CGuiValueDisplay(kDisplayRect, &listener, 4, skin, nullptr, nullptr, factor, 0, style, stepCount, 0);
        display->setCurrentValue(value);
        display->backColor = kNavy;
        display->highlightBackColor = kAmber;
        display->fontId = 0;
        display->fontSize = 10;
        return attach(display);
    }
    // The display's pixels against the same text drawn directly with the display's font on `back`.
    ::testing::AssertionResult showsText(const char* text, CGuiColor back) {
        CGuiOffscreen expected(frame, kDisplayRect.width(), kDisplayRect.height(), back);
        expected.selectFont(0, 10, 0);
        expected.setTextColor(kWhiteColor);
        expected.drawText(text, {0, 0, kDisplayRect.width(), kDisplayRect.height()}, false, kTextCenter);
        int differing = 0;
        int lit = 0;
        for (int y = 0; y < kDisplayRect.height(); ++y) {
            for (int x = 0; x < kDisplayRect.width(); ++x) {
                const platform::Colour want = platform::soft::surfacePixel(expected.surface(), x, y);
                differing += pixel(kDisplayRect.left + x, kDisplayRect.top + y) != want;
                lit += want != back.toPlatform();
            }
        }
        if (lit == 0)
            return ::testing::AssertionFailure() << "the reference text drew nothing";
        if (differing)
            return ::testing::AssertionFailure() << differing << " pixels differ from \"" << text << "\"";
        return ::testing::AssertionSuccess();
    }
    bool onlyBackground(platform::Colour back) const {
        for (int y = kDisplayRect.top; y < kDisplayRect.bottom; ++y) {
            for (int x = kDisplayRect.left; x < kDisplayRect.right; ++x) {
                if (pixel(x, y) != back)
                    return false;
            }
        }
        return true;
    }
};

TEST_F(ValueDisplayTest, ShowsFactorTimesValuePlusOffsetWithTwoDecimals) {
    CGuiValueDisplay* display = addDisplay(0.257f, 0, 100.0f, 100);
    EXPECT_TRUE(showsText("25.70", kNavy));
    for (const float value : {0.0f, 0.5f, 1.0f}) {
        display->setCurrentValue(value);
        editor->idle();
        char text[16];
        std::snprintf(text, sizeof text, "%2.2f", 100.0f * value);
        EXPECT_TRUE(showsText(text, kNavy)) << value;
    }
    display->displayOffset = -180;
    display->highlight();
    editor->idle();
    EXPECT_TRUE(showsText("-80.00", kAmber));
}

TEST_F(ValueDisplayTest, AConverterWritesTheText) {
    CGuiValueDisplay* display = addDisplay(0.5f, 0, 100.0f, 360);
    display->setTextConverter([](float number, char* text) { std::snprintf(text, 252, "%d", static_cast<int>(number)); });
    EXPECT_FALSE(display->needsRepaint()) << "a new converter asks for no repaint";
    paintWindow();
    EXPECT_TRUE(showsText("180", kNavy));
}

TEST_F(ValueDisplayTest, StyleNoTextDrawsTheBackgroundAndStyleHiddenDrawsNothing) {
    CGuiValueDisplay* muted = addDisplay(0.257f, 0x0800, 100.0f, 100);
    EXPECT_TRUE(onlyBackground(kNavy.toPlatform()));
    frame->detachView(muted, true);

    paintWindow();  // the frame without the display: the window's own black
    const platform::Colour before = pixel(kDisplayRect.left, kDisplayRect.top);
    CGuiValueDisplay* hidden = addDisplay(0.257f, 0x1000, 100.0f, 100);
    EXPECT_TRUE(onlyBackground(before));
    hidden->setCurrentValue(0.9f);
    EXPECT_TRUE(hidden->needsRepaint());
    editor->idle();
    EXPECT_FALSE(hidden->needsRepaint()) << "painting only clears the mark";
    EXPECT_TRUE(onlyBackground(before));

    auto* fresh = new CGuiValueDisplay(kDisplayRect, &listener, 4, nullptr, nullptr, nullptr, 1, 0, 0x1000, 1.0f, 0);
    EXPECT_FALSE(fresh->needsRepaint()) << "a hidden display starts without a pending repaint";
    fresh->release();
}

TEST_F(ValueDisplayTest, ABitmapBackgroundComesFromTheSkinOrTheHighlightSkin) {
    auto* display = new CGuiValueDisplay(kDisplayRect, &listener, 4, bitmaps.get(kSkinBitmap),
                                         bitmaps.get(kPressedBitmap), nullptr, 1, 0, 0x0800, 1.0f, 0);
    attach(display);
    EXPECT_EQ(pixel(kDisplayRect.left + 3, kDisplayRect.top + 2), skinPixel(3, 2));
    display->highlight();
    editor->idle();
    EXPECT_EQ(pixel(kDisplayRect.left + 3, kDisplayRect.top + 2), kPressed);
}

TEST_F(ValueDisplayTest, DraggingStepsOncePerPixelWithTheCursorHiddenAndPutBack) {
    CGuiValueDisplay* display = addDisplay(0.5f);
    const size_t warpsBefore = platform::soft::cursorWarps().size();
    std::vector<int> showCounts;
    auto watch = [&] { showCounts.push_back(platform::soft::cursorShowCount()); };
    press(kInside, {cursorBy(-3), still(), still(), [&] { watch(); }});
    ASSERT_EQ(listener.changes.size(), 1u) << "one report per new value; holding still reports nothing";
    EXPECT_FLOAT_EQ(listener.changes[0].value, 0.53f);
    EXPECT_TRUE(listener.changes[0].withContext);
    EXPECT_FLOAT_EQ(display->currentValue(), 0.53f);
    EXPECT_EQ(showCounts, std::vector<int>{-1}) << "hidden during the drag";
    EXPECT_EQ(platform::soft::cursorShowCount(), 0) << "shown again afterwards";
    EXPECT_EQ(platform::cursorPosition().x, kStart.x);
    EXPECT_EQ(platform::cursorPosition().y, kStart.y);
    const std::vector<platform::Point> warps = platform::soft::cursorWarps();
    ASSERT_GT(warps.size(), warpsBefore + 3);
    int awayFromStart = 0;
    for (size_t i = warpsBefore + 1; i < warps.size(); ++i)
        awayFromStart += warps[i].x != kStart.x || warps[i].y != kStart.y;
    EXPECT_EQ(awayFromStart, 1) << "only the script's own move; every pass puts the cursor back at its start";
    EXPECT_EQ(edits(audioMasterBeginEdit), 1);
    EXPECT_EQ(edits(audioMasterEndEdit), 1);
    EXPECT_FALSE(gMouseTracking);

    listener.changes.clear();
    press(kInside, {cursorBy(400), cursorBy(400)});
    EXPECT_EQ(display->currentValue(), 0.0f) << "stops at the lower bound";
    EXPECT_EQ(listener.changes.size(), 1u);
}

TEST_F(ValueDisplayTest, WithoutStepsADragChangesNothingButIsStillAGesture) {
    CGuiValueDisplay* display = addDisplay(0.5f, 0, 0.0f);
    press(kInside, {cursorBy(-5), cursorBy(7)});
    EXPECT_EQ(display->currentValue(), 0.5f);
    EXPECT_TRUE(listener.changes.empty());
    EXPECT_EQ(edits(audioMasterBeginEdit), 1);
    EXPECT_EQ(edits(audioMasterEndEdit), 1);

    CGuiValueDisplay* locked = addDisplay(0.5f, 0x8000);
    locked->onArrowKey(VKEY_UP, 0);
    press(kInside, {cursorBy(-5)});
    EXPECT_EQ(locked->currentValue(), 0.5f);
    EXPECT_TRUE(listener.changes.empty());
}

TEST_F(ValueDisplayTest, RightAndLeftMoveTwoStepsUpAndDownOne) {
    CGuiValueDisplay* display = addDisplay(0.5f, 0, 10.0f);
    // The editor polls one key per idle and repaints after it.
    auto key = [&](int virtualKey) {
        display->onArrowKey(virtualKey, 0);
        const float value = display->currentValue();
        editor->idle();
        return value;
    };
    EXPECT_FLOAT_EQ(key(VKEY_RIGHT), 0.7f);
    EXPECT_FLOAT_EQ(key(VKEY_UP), 0.8f);
    EXPECT_FLOAT_EQ(key(VKEY_LEFT), 0.6f);
    EXPECT_FLOAT_EQ(key(VKEY_DOWN), 0.5f);
    ASSERT_EQ(listener.changes.size(), 4u);
    EXPECT_FALSE(listener.changes[0].withContext);
    display->setCurrentValue(1.0f);
    editor->idle();
    listener.changes.clear();
    EXPECT_EQ(key(VKEY_UP), 1.0f);
    EXPECT_TRUE(listener.changes.empty()) << "at the bound and painted: nothing to tell";
    key(0x20);
    EXPECT_TRUE(listener.changes.empty());
}

TEST_F(ValueDisplayTest, HoverSetsTheSizingCursorAndLeavingTheArrow) {
    CGuiValueDisplay* display = addDisplay(0.5f);
    display->onMouseEnter();
    EXPECT_TRUE(display->isMouseOver);
    EXPECT_TRUE(display->needsRepaint());
    EXPECT_EQ(platform::soft::classCursorShape(), platform::CursorShape::SizeNorthSouth);
    EXPECT_EQ(platform::soft::currentCursorShape(), platform::CursorShape::SizeNorthSouth);
    display->onMouseLeave();
    EXPECT_EQ(platform::soft::classCursorShape(), platform::CursorShape::Arrow);
    EXPECT_EQ(platform::soft::currentCursorShape(), platform::CursorShape::Arrow);
}

TEST_F(ValueDisplayTest, AReadOnlyDisplayIgnoresPressesKeysAndHover) {
    CGuiValueDisplay* display = addDisplay(0.5f, 0x4000);
    const size_t warpsBefore = platform::soft::cursorWarps().size();
    press(kInside, {cursorBy(-3)});
    display->onArrowKey(VKEY_UP, 0);
    display->onMouseEnter();
    EXPECT_TRUE(display->isMouseOver);
    EXPECT_FALSE(display->needsRepaint());
    EXPECT_EQ(platform::soft::classCursorShape(), platform::CursorShape::Arrow);
    EXPECT_EQ(display->currentValue(), 0.5f);
    EXPECT_TRUE(listener.changes.empty());
    EXPECT_EQ(edits(audioMasterBeginEdit), 0);
    EXPECT_EQ(platform::soft::cursorShowCount(), 0);
    EXPECT_EQ(platform::soft::cursorWarps().size(), warpsBefore + 1) << "only the test's own move";
}

TEST_F(ValueDisplayTest, SettersMarkARepaintOnlyForAChange) {
    CGuiValueDisplay* display = addDisplay(0.5f);
    display->setDisplayFont(0);
    display->setDisplayFontSize(10);
    display->setDisplayAlignment(kTextCenter);
    display->setDisplayBackColor({0, 0, 100, 7});  // only the spare byte differs
    EXPECT_FALSE(display->needsRepaint());
    display->setDisplayTextColor({1, 255, 255, 0});
    EXPECT_TRUE(display->needsRepaint());
    editor->idle();
    display->setDisplayHighlightColor(kNavy);
    EXPECT_TRUE(display->needsRepaint());
}

}  // namespace
