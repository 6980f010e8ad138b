// The plug-in module's editor in a real host window: it opens, paints the skin, and a click on
// the quality button made with real input events reaches the host as automation of parameter 13.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

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

void sendButton(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(INPUT));
}

intptr_t VSTCALL editorHost(AEffect*, int32_t opcode, int32_t index, intptr_t, void*, float opt) {
    hostCalls.push_back({opcode, index, opt});
    // The button holds the press in its own loop, which keeps the host idling: release it there.
    if (opcode == audioMasterIdle && releaseAtHostIdle) {
        releaseAtHostIdle = false;
        sendButton(MOUSEEVENTF_LEFTUP);
    }
    return opcode == audioMasterVersion ? 2400 : 0;
}

// With SPATIALISER_EDITOR_SCREENSHOT set, the window's pixels go to that file (binary PPM), for
// people to compare with the soft backend's picture.
void saveScreenshot(HWND window, int width, int height) {
    const char* path = std::getenv("SPATIALISER_EDITOR_SCREENSHOT");
    FILE* file = path ? std::fopen(path, "wb") : nullptr;
    if (!file)
        return;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    HDC context = GetDC(window);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF colour = GetPixel(context, x, y);
            const unsigned char rgb[3] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
            std::fwrite(rgb, 1, 3, file);
        }
    }
    ReleaseDC(window, context);
    std::fclose(file);
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
    }
    void TearDown() override {
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
    void idleFor(int milliseconds) {
        for (int waited = 0; waited < milliseconds; waited += 20) {
            pumpMessages();
            dispatch(effEditIdle);
            Sleep(20);
        }
    }
    void clickAt(HWND window, int x, int y) {
        POINT point{x, y};
        ClientToScreen(window, &point);
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

TEST_F(EditorWindow, OpensPaintsTheSkinAndTakesAClickOnTheQualityButton) {
    ASSERT_EQ(dispatch(effEditOpen, 0, 0, testHostWindow()), 1);
    HWND window = editorWindow();
    ASSERT_NE(window, nullptr);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 454);
    EXPECT_EQ(client.bottom, 269);
    InvalidateRect(window, nullptr, FALSE);
    idleFor(200);

    saveScreenshot(window, 454, 269);
    HDC context = GetDC(window);
    // The panel is not one flat colour, and the quality button's image sits on it.
    EXPECT_NE(GetPixel(context, 5, 5), GetPixel(context, 100, 145));
    const COLORREF buttonBefore = GetPixel(context, 418, 104);
    ReleaseDC(window, context);

    hostCalls.clear();
    clickAt(window, 418, 104);
    bool automated = false;
    for (const Call& call : hostCalls) {
        if (call.opcode == audioMasterAutomate && call.index == 13 && call.value == 1.0f)
            automated = true;
    }
    EXPECT_TRUE(automated) << "the click reached the host as automation of 13";
    context = GetDC(window);
    EXPECT_NE(GetPixel(context, 418, 104), buttonBefore) << "the button shows its other image";
    ReleaseDC(window, context);
}

}  // namespace
}  // namespace platform_win32_test
