// Input polled from the server at the moment of the call: buttons and modifiers from the
// pointer, arrow keys from the keymap, the focus; and the cursor of our windows.
#include "platform/x11/connection.h"
#include "platform/x11/events.h"
#include "platform/x11/windows.h"

#include <X11/keysym.h>

namespace platform {
namespace {

Window* keyboardGrab = nullptr;
int showCount = 0;  // as ShowCursor counts: visible while 0 or more
CursorShape classShape = CursorShape::Arrow;

struct PointerState {
    int x = 0, y = 0;
    unsigned mask = 0;
};

bool queryPointer(x11::Connection& open, PointerState& state) {
    ::Window root = 0, child = 0;
    int windowX = 0, windowY = 0;
    return XQueryPointer(open.display, open.root, &root, &child, &state.x, &state.y, &windowX, &windowY, &state.mask) ==
           True;
}

bool keyDown(x11::Connection& open, KeySym symbol) {
    const KeyCode code = XKeysymToKeycode(open.display, symbol);
    if (code == 0) return false;
    char keys[32];
    XQueryKeymap(open.display, keys);
    return keys[code / 8] >> (code % 8) & 1;
}

// Every window of ours wears the class cursor, or the invisible one while the cursor is hidden.
void applyCursor() {
    x11::Connection* open = x11::connection();
    if (!open) return;
    const Cursor cursor = showCount < 0 ? open->invisibleCursor
                          : classShape == CursorShape::SizeNorthSouth ? open->sizeCursor
                                                                       : open->arrowCursor;
    x11::ErrorTrap trap(open->display);
    x11::forEachOwnWindow([&](Window& window) { XDefineCursor(open->display, window.id, cursor); });
}

}  // namespace

namespace x11 {

void setKeyboardGrabWindow(Window* window) { keyboardGrab = window; }

}  // namespace x11

bool isKeyHeld(Key key) {
    x11::Connection* open = x11::connection();
    if (!open) return false;
    PointerState pointer;
    switch (key) {
    case Key::MouseLeft: return x11::heldByEvent(1) || (queryPointer(*open, pointer) && (pointer.mask & Button1Mask));
    case Key::MouseMiddle: return x11::heldByEvent(2) || (queryPointer(*open, pointer) && (pointer.mask & Button2Mask));
    case Key::MouseRight: return x11::heldByEvent(3) || (queryPointer(*open, pointer) && (pointer.mask & Button3Mask));
    case Key::Shift: return queryPointer(*open, pointer) && (pointer.mask & ShiftMask);
    case Key::Control: return queryPointer(*open, pointer) && (pointer.mask & ControlMask);
    case Key::Alt: return queryPointer(*open, pointer) && (pointer.mask & Mod1Mask);
    case Key::ArrowLeft: return keyDown(*open, XK_Left);
    case Key::ArrowRight: return keyDown(*open, XK_Right);
    case Key::ArrowUp: return keyDown(*open, XK_Up);
    case Key::ArrowDown: return keyDown(*open, XK_Down);
    }
    return false;
}

Point cursorPosition() {
    x11::Connection* open = x11::connection();
    PointerState pointer;
    if (!open || !queryPointer(*open, pointer)) return {0, 0};
    return {pointer.x, pointer.y};
}

void setCursorPosition(Point screenPoint) {
    x11::Connection* open = x11::connection();
    if (!open) return;
    XWarpPointer(open->display, None, open->root, 0, 0, 0, 0, screenPoint.x, screenPoint.y);
    XFlush(open->display);
}

void showCursor(bool visible) {
    showCount += visible ? 1 : -1;
    applyCursor();
}

void setCursorShape(Window* childWindow, CursorShape shape) {
    if (x11::ownWindow(childWindow)) classShape = shape;
    applyCursor();
}

Window* focusWindow() {
    x11::Connection* open = x11::connection();
    if (!open) return nullptr;
    if (keyboardGrab) return keyboardGrab;
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(open->display, &focus, &revert);
    // PointerRoot and None name no window.
    if (focus == PointerRoot || focus == None) return nullptr;
    return x11::windowOf(focus);
}

}  // namespace platform
