// Scripting the soft backend's desktop from tests: host windows, input, the clock, menus,
// message boxes, drops, pixels and the live drawing objects.
#pragma once

#include "platform/drawing/readback.h"
#include "platform/platform.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform::soft {

// Back to a fresh desktop: every window removed without events, input released, the real
// clock, no menus, message boxes or answers recorded, drag-and-drop counts of this thread zero.
// Drawing objects stay: they belong to whoever created them.
void resetDesktop();

// ---- Windows ------------------------------------------------------------------------------------

// A host window at `screenRect`; `parent` null for a top-level window.
Window* createHostWindow(Window* parent, uint32_t style, const Rect& screenRect);
// Destroys a window and everything below it, as a host does: onDestroy reaches every child
// window whose events are still linked, the window itself first.
void destroyWindow(Window* window);
bool isWindow(Window* window);
std::vector<Window*> childWindows(Window* parent);  // direct children, in creation order
// A button press at a client point of a child window, as the OS delivers one.
void pressButton(Window* window, Point clientPoint);
bool paintPending(Window* window);
// What platform::systemScale answers for every window; 1 after a reset.
void setSystemScale(float scale);
// What platform::settingsFolder answers; none after a reset, so that no test or tool reads or
// writes the settings of the person running it.
void setSettingsFolder(const std::string& folder);

// ---- Pixels -------------------------------------------------------------------------------------

// Surfaces, the live drawing objects and the hook into a paint are in platform/drawing/readback.h;
// windows:
Colour windowPixel(Window* window, int x, int y);
// The rectangles that reached the screen since the last call: drawn into the window and shown
// when a window context was released or a paint ended, one per separate part.
std::vector<Rect> takeWindowUpdates(Window* window);
bool saveWindowImage(Window* window, const std::string& path);

// ---- Input --------------------------------------------------------------------------------------

void holdKey(Key key);
void releaseKey(Key key);
void setFocusWindow(Window* window);
// The cursor position itself is read and set through platform::cursorPosition and
// platform::setCursorPosition.
int cursorShowCount();  // as ShowCursor counts: visible while 0 or more
std::vector<Point> cursorWarps();  // every platform::setCursorPosition since the reset, in order
CursorShape currentCursorShape();
CursorShape classCursorShape();  // the shape of the module's window class

// ---- Time ---------------------------------------------------------------------------------------

// Switches to a manual clock starting at `milliseconds`: sleeping advances it without waiting.
void useManualClock(uint32_t milliseconds);
void advanceClock(uint32_t milliseconds);
uint64_t totalSleptMilliseconds();
// Called after every sleep under the manual clock with the new time: tests move the cursor
// or release buttons from here while a control runs its drag loop. An empty function clears it.
void setSleepHook(std::function<void(uint32_t now)> hook);

// ---- Message boxes ------------------------------------------------------------------------------

struct ShownMessageBox {
    std::string text;
    std::string title;
};
std::vector<ShownMessageBox> messageBoxesShown();
void clearMessageBoxes();

// ---- Popup menus --------------------------------------------------------------------------------

// Queues the command chosen in the next menu shown; unqueued menus are dismissed (0). A command
// that is not among the menu's items also dismisses it.
void answerNextMenu(int command);
struct ShownMenu {
    Window* owner;
    std::vector<MenuItem> items;
    Point position;
    uint32_t flags;
    float scale;
};
std::vector<ShownMenu> menusShown();

// ---- Drag and drop ------------------------------------------------------------------------------

// Deliver to the receiver registered for the window; without one nothing happens (None, false).
DropEffect deliverDragEnter(Window* window, bool offersText, bool offersFiles, uint32_t keyState);
DropEffect deliverDragOver(Window* window, uint32_t keyState);
void deliverDragLeave(Window* window);
bool deliverDrop(Window* window, const DropPayload& payload);
bool hasDropTarget(Window* window);
int dragAndDropInitialisations();    // of this thread
int dragAndDropUninitialisations();  // of this thread

}  // namespace platform::soft
