#include "test_host_window.h"

namespace platform_win32_test {

HWND testHostWindow() {
    static const HWND window = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        windowClass.lpszClassName = "SpatialiserTestHost";
        RegisterClassA(&windowClass);
        RECT frame{0, 0, 320, 240};
        AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
        HWND created = CreateWindowExA(0, windowClass.lpszClassName, "Test host",
                                       WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40,
                                       frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                       windowClass.hInstance, nullptr);
        pumpMessages();
        return created;
    }();
    return window;
}

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace platform_win32_test
