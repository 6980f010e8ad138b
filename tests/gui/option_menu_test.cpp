// The option menu: the item a value selects, the popup with its items, point, flags and check
// mark, the choice becoming the value, and the arrow keys.
#include "control_fixture.h"

#include "gui/CGuiOffscreen.h"
#include "gui/CGuiOptionMenu.h"

namespace {

constexpr CGuiRect kMenuRect = {313, 178, 378, 199};  // 65 x 21, as the editor's
constexpr CGuiPoint kInside = {330, 188};
constexpr CGuiColor kPaper = {255, 255, 255, 0};

const MenuListEntry kPatterns[4] = {{1, "absorb"}, {2, "normal"}, {3, "reflect"}, {4, "sustain"}};
const MenuList kPatternList = {kPatterns, 4, 4};
// A separator between the first two items; item 5 is not reachable from a value.
const MenuListEntry kSeparated[4] = {{1, "one"}, {0, ""}, {2, "two"}, {5, "five"}};
const MenuList kSeparatedList = {kSeparated, 4, 2};

class OptionMenuTest : public ControlTest {
protected:
    CGuiOptionMenu* addMenu(float value, const MenuList* list = &kPatternList, int style = 0x0400) {
        auto* menu = new CGuiOptionMenu(kMenuRect, &listener, 14, nullptr, nullptr, bitmaps.get(kPressedBitmap), list,
                                        style);
        menu->setCurrentValue(value);
        menu->backColor = kPaper;
        menu->textColor = kBlackColor;
        menu->textAlignment = kTextLeft;
        menu->textInset() = {6, 0};
        menu->fontId = 0;
        menu->fontSize = 10;
        return attach(menu);
    }
    // Pixels of the menu against the name drawn directly as the menu draws it.
    ::testing::AssertionResult showsName(const char* name) {
        CGuiOffscreen expected(frame, kMenuRect.width(), kMenuRect.height(), kPaper);
        expected.selectFont(0, 10, 0);
        expected.setTextColor(kBlackColor);
        expected.drawText(name, {6, 0, 6 + kMenuRect.width(), kMenuRect.height()}, false, kTextLeft);
        int differing = 0;
        for (int y = 0; y < kMenuRect.height(); ++y) {
            for (int x = 0; x < kMenuRect.width(); ++x)
                differing += pixel(kMenuRect.left + x, kMenuRect.top + y) !=
                             platform::soft::surfacePixel(expected.surface(), x, y);
        }
        if (differing)
            return ::testing::AssertionFailure() << differing << " pixels differ from \"" << name << "\"";
        return ::testing::AssertionSuccess();
    }
};

TEST_F(OptionMenuTest, TheValueSelectsTheNearestOfTheItems) {
    CGuiOptionMenu* menu = addMenu(0.5f);
    EXPECT_EQ(menu->stepCount, 3.0f);
    const struct {
        float value;
        int item;
    } cases[] = {{0.5f, 3}, {0.16f, 1}, {0.17f, 2}, {0.0f, 1}, {1.0f, 4}, {2.5f, 4}, {-1.0f, 1}};
    for (const auto& c : cases) {
        menu->setCurrentValue(c.value);
        EXPECT_EQ(menu->currentItem(), c.item) << c.value;
    }
}

TEST_F(OptionMenuTest, PaintsTheNameOfTheCurrentItem) {
    CGuiOptionMenu* menu = addMenu(0.0f);
    EXPECT_TRUE(showsName("absorb"));
    menu->setCurrentValue(0.5f);
    editor->idle();
    EXPECT_TRUE(showsName("reflect"));
    menu->setCurrentValue(1.0f);
    editor->idle();
    EXPECT_TRUE(showsName("sustain"));
    menu->menuOpen = true;
    menu->markRepaint(true);
    editor->idle();
    EXPECT_EQ(pixel(kMenuRect.left + 1, kMenuRect.top + 1), kPressed) << "the pressed skin while open";
}

TEST_F(OptionMenuTest, AValueMatchingNoEntryDrawsNothingAndStillOpensTheMenu) {
    CGuiOptionMenu* menu = addMenu(0.0f, &kSeparatedList);
    EXPECT_TRUE(showsName("one"));
    const MenuListEntry gap[2] = {{2, "two"}, {3, "three"}};
    const MenuList gapList = {gap, 2, 3};
    menu->menuList = &gapList;  // value 0 selects item 1, which is missing
    menu->backColor = {0, 0, 100, 0};
    menu->markRepaint(true);
    paintWindow();
    EXPECT_TRUE(showsName("one")) << "the window keeps what it showed";
    platform::soft::answerNextMenu(3);
    press(kInside);
    EXPECT_EQ(platform::soft::menusShown().size(), 1u);
    EXPECT_EQ(menu->currentValue(), 1.0f) << "item 3 of 3 positions";
}

TEST_F(OptionMenuTest, ThePopupListsTheItemsBesideTheControlWithTheCurrentOneChecked) {
    addMenu(0.5f, &kSeparatedList, 0x0400);
    press(kInside);
    const auto shown = platform::soft::menusShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].owner, frame->childWindow);
    EXPECT_EQ(shown[0].position.x, kHostRect.left + kMenuRect.right - 16);
    EXPECT_EQ(shown[0].position.y, kHostRect.top + kMenuRect.top + kMenuRect.height() / 2);
    EXPECT_EQ(shown[0].flags, 0x190u);
    ASSERT_EQ(shown[0].items.size(), 4u);
    const int commands[4] = {1, 0, 2, 5};
    const char* texts[4] = {"one", "", "two", "five"};
    const bool checks[4] = {false, false, true, false};  // 0.5 of two positions: item 2
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(shown[0].items[i].command, commands[i]) << i;
        EXPECT_EQ(shown[0].items[i].text, texts[i]) << i;
        EXPECT_EQ(shown[0].items[i].checked, checks[i]) << i;
    }
}

TEST_F(OptionMenuTest, AnItemNumberedPastThePositionsGivesTheUpperBound) {
    CGuiOptionMenu* menu = addMenu(0.0f, &kSeparatedList);
    platform::soft::answerNextMenu(5);
    press(kInside);
    EXPECT_EQ(menu->currentValue(), 1.0f);
}

TEST_F(OptionMenuTest, WithoutTheCheckStyleNoItemIsChecked) {
    addMenu(0.0f, &kPatternList, 0);
    press(kInside);
    const auto shown = platform::soft::menusShown();
    ASSERT_EQ(shown.size(), 1u);
    for (const platform::MenuItem& item : shown[0].items)
        EXPECT_FALSE(item.checked) << item.text;
}

TEST_F(OptionMenuTest, AChoiceBecomesTheValueAndADismissalChangesNothing) {
    CGuiOptionMenu* menu = addMenu(0.0f);
    bool trackingDuringChange = false;
    listener.onChange = [&] { trackingDuringChange = gMouseTracking; };
    platform::soft::answerNextMenu(4);
    press(kInside);
    EXPECT_EQ(menu->currentValue(), 1.0f);
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_TRUE(listener.changes[0].withContext);
    EXPECT_TRUE(trackingDuringChange);
    EXPECT_FALSE(gMouseTracking);
    EXPECT_FALSE(menu->menuOpen);
    EXPECT_EQ(pixel(kMenuRect.left + 1, kMenuRect.top + 1), kPressed) << "repainted by the listener while open";
    editor->idle();
    EXPECT_TRUE(showsName("sustain"));

    press(kInside);  // nothing queued: dismissed
    EXPECT_EQ(menu->currentValue(), 1.0f);
    EXPECT_EQ(listener.changes.size(), 1u);
    EXPECT_TRUE(menu->needsRepaint()) << "the pressed image goes at the next idle";
    editor->idle();
    EXPECT_TRUE(showsName("sustain"));
    EXPECT_EQ(edits(audioMasterBeginEdit), 0);
}

TEST_F(OptionMenuTest, AnyButtonOpensTheMenuButCtrlClickResets) {
    CGuiOptionMenu* menu = addMenu(0.0f);
    platform::soft::answerNextMenu(2);
    press(kInside, {}, {platform::Key::MouseRight});
    EXPECT_FLOAT_EQ(menu->currentValue(), 1.0f / 3.0f);
    press(kInside, {}, {platform::Key::MouseMiddle});
    EXPECT_EQ(platform::soft::menusShown().size(), 2u);
    press(kInside, {}, {platform::Key::MouseLeft, platform::Key::Control});
    EXPECT_EQ(menu->currentValue(), 0.5f);
    EXPECT_EQ(platform::soft::menusShown().size(), 2u);
}

TEST_F(OptionMenuTest, ArrowKeysStepOneItemAndStopAtTheEnds) {
    CGuiOptionMenu* menu = addMenu(0.0f);
    auto key = [&](int virtualKey) {
        menu->onArrowKey(virtualKey, 0);
        const int item = menu->currentItem();
        editor->idle();
        return item;
    };
    EXPECT_EQ(key(VKEY_DOWN), 2);
    EXPECT_EQ(key(VKEY_RIGHT), 3);
    EXPECT_EQ(key(VKEY_DOWN), 4);
    EXPECT_EQ(key(VKEY_DOWN), 4);
    EXPECT_EQ(menu->currentValue(), 1.0f);
    EXPECT_EQ(key(VKEY_UP), 3);
    EXPECT_EQ(key(VKEY_LEFT), 2);
    EXPECT_EQ(listener.changes.size(), 5u) << "the step past the end tells nobody";
}

TEST_F(OptionMenuTest, WithoutAListNothingIsDrawnOrOpened) {
    CGuiOptionMenu* menu = addMenu(0.0f, nullptr);
    EXPECT_EQ(menu->stepCount, 1.0f);
    press(kInside);
    EXPECT_TRUE(platform::soft::menusShown().empty());
}

}  // namespace
