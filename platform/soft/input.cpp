// Input as tests script it: held keys and buttons, the cursor and the focus.
#include "platform/soft/desktop.h"
#include "platform/soft/windows.h"

#include <bitset>
#include <vector>

namespace platform {
namespace {

struct InputState {
    std::bitset<16> held;
    Point cursor{0, 0};
    std::vector<Point> warps;
    int showCount = 0;
    CursorShape shape = CursorShape::Arrow;
    CursorShape classShape = CursorShape::Arrow;
    Window* focus = nullptr;
};

InputState input;

size_t bitOf(Key key) { return static_cast<size_t>(key) % 16; }

}  // namespace

namespace soft {

void resetInput() { input = InputState{}; }

void forgetFocus(const Window* window) {
    if (input.focus == window) input.focus = nullptr;
}

void holdKey(Key key) { input.held.set(bitOf(key)); }
void releaseKey(Key key) { input.held.reset(bitOf(key)); }

void setFocusWindow(Window* window) { input.focus = findWindow(window); }

int cursorShowCount() { return input.showCount; }
std::vector<Point> cursorWarps() { return input.warps; }
CursorShape currentCursorShape() { return input.shape; }
CursorShape classCursorShape() { return input.classShape; }

}  // namespace soft

bool isKeyHeld(Key key) { return input.held.test(bitOf(key)); }

Point cursorPosition() { return input.cursor; }

void setCursorPosition(Point screenPoint) {
    input.cursor = screenPoint;
    input.warps.push_back(screenPoint);
}

void showCursor(bool visible) { input.showCount += visible ? 1 : -1; }

void setCursorShape(Window* childWindow, CursorShape shape) {
    if (soft::findWindow(childWindow)) input.classShape = shape;
    input.shape = shape;
}

Window* focusWindow() { return input.focus; }

}  // namespace platform
