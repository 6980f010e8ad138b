// The four standard controls in a frame inside the test host's window, driven with real input:
// cursor moves, button presses and keys go through the system's input queue, and the controls'
// own loops read them back from the asynchronous key state and the cursor.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "gui/AEffGUIEditor.h"
#include "gui/CGuiBitmap.h"
#include "gui/CGuiFrame.h"
#include "gui/CGuiOnOffButton.h"
#include "gui/CGuiOptionMenu.h"
#include "gui/CGuiValueDisplay.h"
#include "gui/CGuiVerticalSlider.h"
#include "shell/AEffPluginX.h"
#include "test_host_window.h"

namespace platform_win32_test {
namespace {

constexpr int kButtonBitmap = 1201;  // 23 x 70: off (200, 0, 0) above on (0, 200, 0)
constexpr int kTrackBitmap = 1202;   // 21 x 142
constexpr int kHandleBitmap = 1203;  // 18 x 16 yellow, white corners
constexpr COLORREF kButtonOn = RGB(0, 200, 0);
constexpr COLORREF kButtonOff = RGB(200, 0, 0);
constexpr COLORREF kHandleYellow = RGB(250, 250, 0);

constexpr CGuiRect kButtonRect = {10, 10, 33, 45};
constexpr CGuiRect kDisplayRect = {60, 20, 88, 32};
constexpr CGuiRect kMenuRect = {120, 20, 185, 41};
constexpr CGuiRect kSliderRect = {220, 10, 241, 152};  // the handle's top travels over rows 11..135

const MenuListEntry kPatterns[4] = {{1, "absorb"}, {2, "normal"}, {3, "reflect"}, {4, "sustain"}};
const MenuList kPatternList = {kPatterns, 4, 4};

// Run one per host idle call while a control's loop pumps; when they are used up the left
// button goes up.
std::vector<std::function<void()>> idleSteps;
size_t nextIdleStep = 0;

void sendButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

intptr_t VSTCALL host(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    if (opcode == audioMasterIdle) {
        if (nextIdleStep < idleSteps.size())
            idleSteps[nextIdleStep++]();
        else if (GetAsyncKeyState(VK_LBUTTON) & 0x8000)
            sendButton(MOUSEEVENTF_LEFTUP);
    }
    return opcode == audioMasterVersion ? 2400 : 0;
}

class ProbeEffect : public AEffPluginX {
public:
    ProbeEffect() : AEffPluginX(host, 1, 1) {}
    void process(float**, float**, int32_t) override {}
};

struct Change {
    float value;
    bool buttonHeld;
};

// Records each change and repaints the control at once, as the effect's editor does.
class Listener : public CGuiControlListener {
public:
    void valueChanged(CGuiContext* context, CGuiControl* control) override {
        changes.push_back({control->currentValue(), (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0});
        if (context)
            control->refresh(context);
    }
    std::vector<Change> changes;
};

class ControlsInAWindow : public ::testing::Test {
protected:
    void SetUp() override {
        idleSteps.clear();
        nextIdleStep = 0;
        editor = new AEffGUIEditor(&effect);  // the effect owns it
        frame = std::make_unique<CGuiFrame>(CGuiRect{0, 0, 320, 240}, testHostWindow(), editor);
        editor->frame = frame.get();
        button = new CGuiOnOffButton(kButtonRect, &listener, 1, bitmap(kButtonBitmap), nullptr, 0);
        display = new CGuiValueDisplay(kDisplayRect, &listener, 2, nullptr, nullptr, nullptr, 100, 0, 0, 100.0f, 0);
        menu = new CGuiOptionMenu(kMenuRect, &listener, 3, nullptr, nullptr, nullptr, &kPatternList, 0x0400);
        slider = new CGuiVerticalSlider(kSliderRect, &listener, 4, 11, 135, bitmap(kTrackBitmap), nullptr,
                                        bitmap(kHandleBitmap), nullptr, {0, 0}, {1, 0}, false, true, 0x40, 100.0f, 0);
        for (CGuiControl* control : {static_cast<CGuiControl*>(button), static_cast<CGuiControl*>(display),
                                     static_cast<CGuiControl*>(menu), static_cast<CGuiControl*>(slider)})
            frame->attachView(control);
        display->setCurrentValue(0.5f);
        menu->setCurrentValue(1.0f);
        slider->setCurrentValue(0.0f);
        platform::invalidateWindow(frame->childWindow);
        pumpMessages();
        ASSERT_FALSE(frame->firstPaintPending);
    }
    void TearDown() override {
        if (GetAsyncKeyState(VK_LBUTTON) & 0x8000)
            sendButton(MOUSEEVENTF_LEFTUP);
        editor->frame = nullptr;
        frame.reset();
        for (CGuiBitmap* loaded : bitmaps)
            loaded->release();
        pumpMessages();
    }
    CGuiBitmap* bitmap(int resource) {
        bitmaps.push_back(new CGuiBitmap(resource));
        return bitmaps.back();
    }
    POINT screenPoint(int h, int v) const {
        POINT point{h, v};
        ClientToScreen(handleOf(frame->childWindow), &point);
        return point;
    }
    // Puts the cursor on a point of the frame and presses the left button; the press reaches the
    // frame when the queue is pumped, and the control's loop runs inside it.
    void pressAt(int h, int v) {
        const POINT point = screenPoint(h, v);
        SetCursorPos(point.x, point.y);
        sendButton(MOUSEEVENTF_LEFTDOWN);
        pumpMessages();
    }
    COLORREF pixel(int x, int y) const {
        HDC context = GetDC(handleOf(frame->childWindow));
        const COLORREF colour = GetPixel(context, x, y);
        ReleaseDC(handleOf(frame->childWindow), context);
        return colour;
    }

    ProbeEffect effect;
    AEffGUIEditor* editor = nullptr;
    std::unique_ptr<CGuiFrame> frame;
    std::vector<CGuiBitmap*> bitmaps;
    Listener listener;
    CGuiOnOffButton* button = nullptr;
    CGuiValueDisplay* display = nullptr;
    CGuiOptionMenu* menu = nullptr;
    CGuiVerticalSlider* slider = nullptr;
};

TEST_F(ControlsInAWindow, APressTogglesTheButtonAndTheListenerSeesItBeforeTheRelease) {
    EXPECT_EQ(pixel(15, 15), kButtonOff);
    pressAt(20, 25);
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_EQ(listener.changes[0].value, 1.0f);
    EXPECT_TRUE(listener.changes[0].buttonHeld);
    EXPECT_FALSE(GetAsyncKeyState(VK_LBUTTON) & 0x8000) << "the press returned after the release";
    EXPECT_EQ(button->currentValue(), 1.0f);
    EXPECT_EQ(pixel(15, 15), kButtonOn);
    EXPECT_FALSE(gMouseTracking);
}

// Inside the menu's own modal loop: where the menu is, then keys for it.
struct MenuDrive {
    bool seen = false;
    RECT rect{0, 0, 0, 0};
    std::vector<WORD> keys;
};
MenuDrive menuDrive;

void CALLBACK driveMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if (menuWindow == nullptr || !IsWindowVisible(menuWindow))
        return;
    KillTimer(nullptr, timer);
    menuDrive.seen = true;
    GetWindowRect(menuWindow, &menuDrive.rect);
    for (WORD key : menuDrive.keys) {
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wVk = input[1].ki.wVk = key;
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
    }
}

TEST_F(ControlsInAWindow, TheOptionMenuOpensBesideTheControlAndTakesAKeyboardChoice) {
    menuDrive = MenuDrive{};
    menuDrive.keys = {VK_DOWN, VK_RETURN};
    SetTimer(nullptr, 0, 50, driveMenu);
    pressAt(140, 30);
    ASSERT_TRUE(menuDrive.seen) << "no popup menu appeared";
    const POINT expected = screenPoint(kMenuRect.right - 16, kMenuRect.top + kMenuRect.height() / 2);
    EXPECT_NEAR(menuDrive.rect.left, expected.x, 4);
    EXPECT_NEAR((menuDrive.rect.top + menuDrive.rect.bottom) / 2, expected.y, 4) << "centred on the point";
    EXPECT_EQ(menu->currentValue(), 0.0f) << "the first item, absorb";
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_FALSE(gMouseTracking);

    sendButton(MOUSEEVENTF_LEFTUP);
    menuDrive = MenuDrive{};
    menuDrive.keys = {VK_ESCAPE};
    SetTimer(nullptr, 0, 50, driveMenu);
    pressAt(140, 30);
    EXPECT_TRUE(menuDrive.seen);
    EXPECT_EQ(menu->currentValue(), 0.0f);
    EXPECT_EQ(listener.changes.size(), 1u) << "a dismissed menu changes nothing";
}

TEST_F(ControlsInAWindow, ADisplayDragHidesTheCursorAndPutsItBack) {
    const POINT start = screenPoint(70, 26);
    bool hiddenDuringDrag = false;
    idleSteps = {[&] {
                     CURSORINFO info{};
                     info.cbSize = sizeof info;
                     hiddenDuringDrag = GetCursorInfo(&info) && !(info.flags & CURSOR_SHOWING);
                     SetCursorPos(start.x, start.y - 5);
                 },
                 [] {}};
    pressAt(70, 26);
    EXPECT_TRUE(hiddenDuringDrag);
    EXPECT_NEAR(display->currentValue(), 0.55f, 1e-6f) << "five pixels up, five steps";
    POINT after{0, 0};
    GetCursorPos(&after);
    EXPECT_EQ(after.x, start.x);
    EXPECT_EQ(after.y, start.y);
    CURSORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetCursorInfo(&info));
    EXPECT_TRUE(info.flags & CURSOR_SHOWING);
    EXPECT_FALSE(listener.changes.empty());
}

TEST_F(ControlsInAWindow, ASliderDragMovesTheHandleAndReportsTheValues) {
    EXPECT_EQ(pixel(229, 140), kHandleYellow) << "value 0: the handle at the bottom";
    const POINT top = screenPoint(229, 18);  // the grab line: travel top + 8 - 1
    idleSteps = {[&] { SetCursorPos(top.x, top.y + 62); }, [] {}, [] {}};
    pressAt(229, 18);
    ASSERT_GE(listener.changes.size(), 2u);
    EXPECT_EQ(listener.changes.front().value, 1.0f) << "jumped to the press";
    EXPECT_NEAR(slider->currentValue(), 0.5f, 1e-6f);
    EXPECT_EQ(listener.changes.back().value, slider->currentValue());
    editor->idle();
    EXPECT_EQ(pixel(229, 80), kHandleYellow) << "the handle moved to the middle";
    EXPECT_NE(pixel(229, 140), kHandleYellow);
}

}  // namespace
}  // namespace platform_win32_test
