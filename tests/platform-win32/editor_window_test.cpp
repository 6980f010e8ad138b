// The plug-in module's editor in a real host window: it paints what the soft backend paints, and
// clicks, drags and menu choices made with real input events reach the host as automation.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor_reference.h"
#include "pixel_check.h"
#include "reference_image.h"
#include "shell/vst2.h"
#include "test_host_window.h"

namespace platform_win32_test {
namespace {

struct Call {
    int32_t opcode;
    int32_t index;
    float value;
};
std::vector<Call> hostCalls;
bool releaseAtHostIdle = false;
// Run one per host idle call while a control's loop pumps (the drag's cursor moves).
std::vector<std::function<void()>> idleSteps;
size_t nextIdleStep = 0;

void sendButton(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(INPUT));
}

intptr_t VSTCALL editorHost(AEffect*, int32_t opcode, int32_t index, intptr_t, void*, float opt) {
    hostCalls.push_back({opcode, index, opt});
    // A control holds the press in its own loop, which keeps the host idling: move and release
    // the mouse there.
    if (opcode == audioMasterIdle && nextIdleStep < idleSteps.size()) {
        idleSteps[nextIdleStep++]();
    } else if (opcode == audioMasterIdle && releaseAtHostIdle) {
        releaseAtHostIdle = false;
        sendButton(MOUSEEVENTF_LEFTUP);
    }
    return opcode == audioMasterVersion ? 2400 : 0;
}

// Inside the popup menu's own modal loop: wait for the menu, then send it keys.
std::vector<WORD> menuKeys;
bool menuSeen = false;

void CALLBACK driveMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if (menuWindow == nullptr || !IsWindowVisible(menuWindow))
        return;
    KillTimer(nullptr, timer);
    menuSeen = true;
    for (WORD key : menuKeys) {
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wVk = input[1].ki.wVk = key;
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
    }
}

using MainEntry = AEffect* (*)(HostCallback);

class EditorWindow : public ::testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryA("spatialiser.dll");
        ASSERT_NE(module, nullptr);
        auto entry = reinterpret_cast<MainEntry>(reinterpret_cast<void*>(GetProcAddress(module, "main")));
        ASSERT_NE(entry, nullptr);
        effect = entry(editorHost);
        ASSERT_NE(effect, nullptr);
        GetWindowRect(testHostWindow(), &savedFrame);
        RECT frame{0, 0, 480, 300};
        AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
        SetWindowPos(testHostWindow(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER);
        pumpMessages();
        idleSteps.clear();
        nextIdleStep = 0;
        hostCalls.clear();
    }
    void TearDown() override {
        if (GetAsyncKeyState(VK_LBUTTON) & 0x8000)
            sendButton(MOUSEEVENTF_LEFTUP);
        if (effect) {
            dispatch(effEditClose);
            dispatch(effClose);
        }
        SetWindowPos(testHostWindow(), nullptr, 0, 0, savedFrame.right - savedFrame.left,
                     savedFrame.bottom - savedFrame.top, SWP_NOMOVE | SWP_NOZORDER);
        pumpMessages();
        if (module)
            FreeLibrary(module);
    }
    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr) {
        return effect->dispatcher(effect, opcode, index, value, ptr, 0.0f);
    }
    HWND editorWindow() const { return FindWindowExA(testHostWindow(), nullptr, nullptr, "Window"); }
    // Opens the editor in the host window, away from the mouse, and lets it paint and idle.
    HWND openEditor() {
        if (dispatch(effEditOpen, 0, 0, testHostWindow()) != 1)
            return nullptr;
        HWND window = editorWindow();
        RECT screen;
        GetWindowRect(testHostWindow(), &screen);
        SetCursorPos(screen.right + 100, screen.bottom + 100);
        if (window)
            InvalidateRect(window, nullptr, FALSE);
        idleFor(200);
        return window;
    }
    POINT screenPoint(HWND window, int x, int y) const {
        POINT point{x, y};
        ClientToScreen(window, &point);
        return point;
    }
    void idleFor(int milliseconds) {
        for (int waited = 0; waited < milliseconds; waited += 20) {
            pumpMessages();
            dispatch(effEditIdle);
            Sleep(20);
        }
    }
    void clickAt(HWND window, int x, int y) {
        const POINT point = screenPoint(window, x, y);
        SetCursorPos(point.x, point.y);
        idleFor(100);
        releaseAtHostIdle = true;
        sendButton(MOUSEEVENTF_LEFTDOWN);
        idleFor(300);
        if (releaseAtHostIdle) {  // the press never reached the button
            releaseAtHostIdle = false;
            sendButton(MOUSEEVENTF_LEFTUP);
            idleFor(100);
        }
    }

    HMODULE module = nullptr;
    AEffect* effect = nullptr;
    RECT savedFrame{};
};

std::vector<Call> automationOf(int32_t index) {
    std::vector<Call> calls;
    for (const Call& call : hostCalls) {
        if (call.opcode == audioMasterAutomate && call.index == index)
            calls.push_back(call);
    }
    return calls;
}

TEST_F(EditorWindow, PaintsLikeTheSoftBackendOutsideTheText) {
    platform::ResourceData stored{nullptr, 0};
    ASSERT_TRUE(platform::findResource("REFERENCE", editor_reference::kResource, stored));
    reference_image::Image reference;
    ASSERT_TRUE(reference_image::decodePpm(stored.data, stored.size, reference));

    HWND window = openEditor();
    ASSERT_NE(window, nullptr);
    RECT client;
    GetClientRect(window, &client);
    ASSERT_EQ(client.right, reference.width);
    ASSERT_EQ(client.bottom, reference.height);
    ERect* rect = nullptr;
    ASSERT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 1) << "open, the editor still answers its rectangle";
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right - rect->left, reference.width);
    EXPECT_EQ(rect->bottom - rect->top, reference.height);
    const reference_image::Image painted = readWindowImage(window, reference.width, reference.height);
    const std::string differences =
        reference_image::differencesOutside(painted, reference, editor_reference::textAreas());
    EXPECT_EQ(differences, "");
    if (!differences.empty())
        reference_image::savePpm(painted, "editor_painted.ppm");
}

TEST_F(EditorWindow, AClickOnTheQualityButtonReachesTheHost) {
    HWND window = openEditor();
    ASSERT_NE(window, nullptr);
    const COLORREF buttonBefore = [&] {
        HDC context = GetDC(window);
        const COLORREF colour = GetPixel(context, 418, 104);
        ReleaseDC(window, context);
        return colour;
    }();

    clickAt(window, 418, 104);
    const std::vector<Call> quality = automationOf(13);
    ASSERT_EQ(quality.size(), 1u);
    EXPECT_EQ(quality[0].value, 1.0f);
    HDC context = GetDC(window);
    EXPECT_NE(GetPixel(context, 418, 104), buttonBefore) << "the button shows its other image";
    ReleaseDC(window, context);
}

// The azimuth slider (parameter 4, mirrored to 0): its handle's grab line at value 1 is frame
// row 82, and 62 rows of its 124 of travel below that is the middle.
TEST_F(EditorWindow, AnAzimuthSliderDragReachesTheHostAsOneGestureOfPairs) {
    HWND window = openEditor();
    ASSERT_NE(window, nullptr);
    const POINT grab = screenPoint(window, 210, 82);
    SetCursorPos(grab.x, grab.y);
    idleFor(100);
    hostCalls.clear();
    idleSteps = {[&] { SetCursorPos(grab.x, grab.y + 31); }, [] {}, [&] { SetCursorPos(grab.x, grab.y + 62); }, [] {},
                 [] {}, [] { sendButton(MOUSEEVENTF_LEFTUP); }};
    sendButton(MOUSEEVENTF_LEFTDOWN);
    idleFor(300);
    ASSERT_EQ(nextIdleStep, idleSteps.size()) << "the press never started a drag";

    std::vector<Call> gesture;
    for (const Call& call : hostCalls) {
        if (call.opcode == audioMasterAutomate || call.opcode == audioMasterBeginEdit ||
            call.opcode == audioMasterEndEdit)
            gesture.push_back(call);
    }
    ASSERT_GE(gesture.size(), 4u);
    EXPECT_EQ(gesture.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(gesture.front().index, 4);
    EXPECT_EQ(gesture.back().opcode, audioMasterEndEdit);
    EXPECT_EQ(gesture.back().index, 4);
    ASSERT_EQ(gesture.size() % 2, 0u);
    for (size_t i = 1; i + 1 < gesture.size(); i += 2) {
        EXPECT_EQ(gesture[i].opcode, audioMasterAutomate);
        EXPECT_EQ(gesture[i].index, 0) << "the mirror first";
        EXPECT_EQ(gesture[i + 1].opcode, audioMasterAutomate);
        EXPECT_EQ(gesture[i + 1].index, 4);
        EXPECT_EQ(gesture[i].value, gesture[i + 1].value);
    }
    EXPECT_EQ(gesture[2].value, 1.0f) << "the press takes the handle where it is grabbed";
    EXPECT_NEAR(gesture[gesture.size() - 2].value, 0.5f, 1e-6f);
    EXPECT_NEAR(effect->getParameter(effect, 4), 0.5f, 1e-6f);
}

TEST_F(EditorWindow, AChoiceInTheReflectionMenuReachesTheHost) {
    HWND window = openEditor();
    ASSERT_NE(window, nullptr);
    menuSeen = false;
    menuKeys = {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN};  // absorb, normal, reflect
    SetTimer(nullptr, 0, 50, driveMenu);
    clickAt(window, 340, 188);
    EXPECT_TRUE(menuSeen) << "no popup menu appeared";
    const std::vector<Call> pattern = automationOf(14);
    ASSERT_EQ(pattern.size(), 1u);
    EXPECT_NEAR(pattern[0].value, 2.0f / 3.0f, 1e-6f);
    EXPECT_NEAR(effect->getParameter(effect, 14), 2.0f / 3.0f, 1e-6f);
}

}  // namespace
}  // namespace platform_win32_test
