// Popup menus, driven from a timer while the menu's own modal loop runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_host_window.h"

namespace platform_win32_test {
namespace {

struct MenuObservation {
    bool seen = false;
    std::vector<std::string> texts;
    std::vector<bool> separators;
    std::vector<bool> checked;
};

MenuObservation observed;
std::vector<WPARAM> keysToPress;

// Records the open menu's items and then presses the keys.
void CALLBACK driveMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if (menuWindow == nullptr) return;
    KillTimer(nullptr, timer);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    observed.seen = menu != nullptr;
    for (int index = 0; index < GetMenuItemCount(menu); ++index) {
        char text[64] = {};
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof text;
        GetMenuItemInfoA(menu, index, TRUE, &item);
        observed.texts.emplace_back(text);
        observed.separators.push_back((item.fType & MFT_SEPARATOR) != 0);
        observed.checked.push_back((item.fState & MFS_CHECKED) != 0);
    }
    for (WPARAM key : keysToPress) {
        PostMessageA(menuWindow, WM_KEYDOWN, key, 0);
        PostMessageA(menuWindow, WM_KEYUP, key, 0);
    }
}

int runMenu(HWND owner, const std::vector<platform::MenuItem>& items, std::vector<WPARAM> keys) {
    observed = MenuObservation{};
    keysToPress = std::move(keys);
    SetTimer(nullptr, 0, 50, driveMenu);
    POINT point{60, 60};
    ClientToScreen(owner, &point);
    return platform::trackPopupMenu(reinterpret_cast<platform::Window*>(owner), items, platform::Point{point.x, point.y},
                                    platform::kMenuCentreVertically | platform::kMenuNoNotify |
                                        platform::kMenuReturnCommand);
}

const std::vector<platform::MenuItem> kItems = {
    {3, "absorb", false}, {0, "", false}, {7, "normal", true}, {9, "reflect", false}};

TEST(PopupMenu, ShowsTheItemsAndReturnsTheChosenCommand) {
    EXPECT_EQ(runMenu(testHostWindow(), kItems, {VK_DOWN, VK_DOWN, VK_RETURN}), 7);
    ASSERT_TRUE(observed.seen);
    EXPECT_EQ(observed.texts, (std::vector<std::string>{"absorb", "", "normal", "reflect"}));
    EXPECT_EQ(observed.separators, (std::vector<bool>{false, true, false, false}));
    EXPECT_EQ(observed.checked, (std::vector<bool>{false, false, true, false}));
    MSG command;
    EXPECT_FALSE(PeekMessageA(&command, testHostWindow(), WM_COMMAND, WM_COMMAND, PM_REMOVE))
        << "the choice comes back as the result, not as a message";
}

TEST(PopupMenu, ReturnsZeroWhenDismissed) {
    EXPECT_EQ(runMenu(testHostWindow(), kItems, {VK_ESCAPE}), 0);
    EXPECT_TRUE(observed.seen);
}

}  // namespace
}  // namespace platform_win32_test
