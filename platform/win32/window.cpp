// Child windows inside a host window, and the window procedure that turns their messages into
// WindowEvents calls.
#include "platform/win32/handles.h"
#include "platform/win32/module.h"
#include "platform/win32/window_class.h"

namespace platform {

namespace {

WindowEvents* eventsOf(HWND window) {
    return reinterpret_cast<WindowEvents*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowEvents* events = eventsOf(window);
    if (events == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_PAINT:
            if (GetUpdateRect(window, nullptr, FALSE)) {
                PAINTSTRUCT paint;
                HDC context = BeginPaint(window, &paint);
                events->onPaint(win32::toContext(context), win32::fromRect(paint.rcPaint));
                EndPaint(window, &paint);
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            // Client coordinates, taken unsigned as the message packs them.
            events->onButtonDown(Point{LOWORD(lParam), HIWORD(lParam)});
            return 0;
        case WM_DESTROY:
            // Reached only when the host destroys its window (and so ours) first:
            // destroyChildWindow unlinks the events before it destroys the window.
            events->onDestroy();
            return DefWindowProcA(window, message, wParam, lParam);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

Window* createChildWindow(void* parent, int width, int height, WindowEvents* events) {
    if (!win32::acquireWindowClass(windowProcedure)) return nullptr;
    HWND window = CreateWindowExA(0, win32::windowClassName(), "Window", WS_CHILD | WS_VISIBLE, 0, 0, width, height,
                                  static_cast<HWND>(parent), nullptr, win32::moduleHandle(), nullptr);
    if (window == nullptr) {
        win32::releaseWindowClass();
        return nullptr;
    }
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(events));
    return win32::toWindow(window);
}

void destroyChildWindow(Window* window) {
    if (window == nullptr) return;
    HWND handle = win32::toHandle(window);
    // The window may already be gone with its host window; the class use still ends here.
    if (IsWindow(handle)) {
        SetWindowLongPtrA(handle, GWLP_USERDATA, 0);
        DestroyWindow(handle);
    }
    win32::releaseWindowClass();
}

Rect windowScreenRect(Window* window) {
    RECT rect{0, 0, 0, 0};
    if (!GetWindowRect(win32::toHandle(window), &rect)) return Rect{0, 0, 0, 0};
    return win32::fromRect(rect);
}

Window* parentWindow(Window* window) { return win32::toWindow(GetParent(win32::toHandle(window))); }

uint32_t windowStyle(Window* window) {
    return static_cast<uint32_t>(GetWindowLongA(win32::toHandle(window), GWL_STYLE));
}

void resizeChildWindow(Window* window, int width, int height) {
    SetWindowPos(win32::toHandle(window), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(win32::toHandle(window), nullptr, FALSE);
}

void invalidateWindow(Window* window) {
    // No erase: the paint covers the whole window, and erasing first would flicker.
    InvalidateRect(win32::toHandle(window), nullptr, FALSE);
}

void dispatchOnePendingPaint() {
    MSG message;
    if (PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&message);
}

// The host's message loop delivers the window's messages.
void processPendingEvents() {}

}  // namespace platform
