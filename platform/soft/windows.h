// The desktop's windows: host windows made by tests and the module's child windows.
// Windows belong to the GUI thread, as in the OS; they are not guarded.
#pragma once

#include "platform/platform.h"
#include "platform/drawing/objects.h"

#include <memory>
#include <thread>
#include <vector>

namespace platform {

struct Window {
    Window* parent = nullptr;  // null at the top, and for a child of a host handle we do not know
    bool moduleWindow = false;  // made by createChildWindow
    bool destroying = false;
    bool paintPending = false;
    uint32_t style = 0;
    Rect screenRect{0, 0, 0, 0};
    std::unique_ptr<Surface> surface;  // module windows only; not a registered drawing object
    std::vector<Rect> updates;         // what reached the screen, for takeWindowUpdates
    WindowEvents* events = nullptr;
    std::thread::id thread;
};

namespace soft {

// The window if it exists and is not being destroyed, else null. Host handles are only keys.
Window* findWindow(const void* handle);

// Each service forgets what it knows about a window that goes away.
void forgetFocus(const Window* window);
void forgetDropTarget(const Window* window);

// Each service back to its start, for resetDesktop.
void resetWindows();
void resetInput();
void resetClock();
void resetMessageBoxes();
void resetMenus();
void resetDragAndDrop();

}  // namespace soft
}  // namespace platform
