// The plug-in module's editor under a system DPI of 192 (run by run-at-log-pixels.sh): it reports
// and opens at twice its size, as on a Windows screen at 200 %.
#include <gtest/gtest.h>

#include <windows.h>

#include "shell/vst2.h"
#include "test_host_window.h"

namespace platform_win32_test {
namespace {

intptr_t VSTCALL quietHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

using MainEntry = AEffect* (*)(HostCallback);

// The test host declares itself DPI-aware, as hosts do: an unaware one gets 96 and has its
// windows stretched by the system instead.
TEST(EditorAtSystemDpi, TheEditorIsTwiceAsLargeAt192DotsPerInch) {
    using DpiAware = BOOL(WINAPI*)();
    if (auto aware = reinterpret_cast<DpiAware>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDPIAware"))))
        aware();
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(dpi, 192) << "the system DPI this test runs at";

    HMODULE module = LoadLibraryA("spatialiser.dll");
    ASSERT_NE(module, nullptr);
    auto entry = reinterpret_cast<MainEntry>(reinterpret_cast<void*>(GetProcAddress(module, "main")));
    ASSERT_NE(entry, nullptr);
    AEffect* effect = entry(quietHost);
    ASSERT_NE(effect, nullptr);
    ERect* rect = nullptr;
    ASSERT_EQ(effect->dispatcher(effect, effEditGetRect, 0, 0, &rect, 0.0f), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right - rect->left, 908);
    EXPECT_EQ(rect->bottom - rect->top, 538);

    RECT frame{0, 0, 908, 538};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    SetWindowPos(testHostWindow(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_EQ(effect->dispatcher(effect, effEditOpen, 0, 0, testHostWindow(), 0.0f), 1);
    HWND editor = FindWindowExA(testHostWindow(), nullptr, nullptr, "Window");
    ASSERT_NE(editor, nullptr);
    RECT client;
    GetClientRect(editor, &client);
    EXPECT_EQ(client.right - client.left, 908);
    EXPECT_EQ(client.bottom - client.top, 538);
    for (int i = 0; i < 5; ++i) {
        pumpMessages();
        effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
        Sleep(20);
    }
    // The panel's far corner holds the skin, not the window's empty background.
    HDC window = GetDC(editor);
    const COLORREF corner = GetPixel(window, 900, 530);
    ReleaseDC(editor, window);
    EXPECT_NE(corner, RGB(240, 240, 240));
    effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    FreeLibrary(module);
}

}  // namespace
}  // namespace platform_win32_test
