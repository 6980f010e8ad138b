// Input polling: the asynchronous key state and the cursor, read at the moment of the call.
#include "platform/win32/handles.h"

namespace platform {

namespace {

int virtualKey(Key key) {
    switch (key) {
        case Key::MouseLeft: return VK_LBUTTON;
        case Key::MouseMiddle: return VK_MBUTTON;
        case Key::MouseRight: return VK_RBUTTON;
        case Key::Shift: return VK_SHIFT;
        case Key::Control: return VK_CONTROL;
        case Key::Alt: return VK_MENU;
        case Key::ArrowLeft: return VK_LEFT;
        case Key::ArrowRight: return VK_RIGHT;
        case Key::ArrowUp: return VK_UP;
        case Key::ArrowDown: return VK_DOWN;
    }
    return 0;
}

}  // namespace

bool isKeyHeld(Key key) {
    const int code = virtualKey(key);
    // The top bit is "held now"; the low bit (pressed since the last call) is not used.
    return code != 0 && (GetAsyncKeyState(code) & 0x8000) != 0;
}

Point cursorPosition() {
    POINT point{0, 0};
    if (!GetCursorPos(&point)) return Point{0, 0};
    return Point{static_cast<int32_t>(point.x), static_cast<int32_t>(point.y)};
}

void setCursorPosition(Point screenPoint) { SetCursorPos(screenPoint.x, screenPoint.y); }

void showCursor(bool visible) { ShowCursor(visible ? TRUE : FALSE); }

void setCursorShape(Window* childWindow, CursorShape shape) {
    HCURSOR cursor = LoadCursorA(nullptr, shape == CursorShape::SizeNorthSouth ? IDC_SIZENS : IDC_ARROW);
    // The class cursor is what Windows restores on every mouse move over the window.
    if (childWindow != nullptr) {
        SetClassLongPtrA(win32::toHandle(childWindow), GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
    }
    SetCursor(cursor);
}

Window* focusWindow() { return win32::toWindow(GetFocus()); }

}  // namespace platform
