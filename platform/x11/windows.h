// Windows as the X11 backend knows them: its own (the editor's child windows, the popup menu,
// message boxes), each with a backing surface the soft rasteriser draws into, and records for
// the host's windows met while walking up the tree or asking for the focus.
#pragma once

#include "platform/drawing/objects.h"
#include "platform/platform.h"
#include "platform/x11/screen_image.h"

#include "platform/x11/xlib.h"

#include <functional>
#include <memory>

namespace platform {

struct Window {
    ::Window id = 0;
    bool own = false;        // created by this backend
    bool destroyed = false;  // the server destroyed it (with the host's window)
    bool paintPending = false;
    Rect paintArea{0, 0, 0, 0};  // what the pending paint covers
    WindowEvents* events = nullptr;
    std::unique_ptr<Surface> surface;  // own windows; not a registered drawing object
    x11::ScreenImage image;            // own windows: what the screen shows of the surface
};

namespace x11 {

// Own windows: a mapped window of the given size with a backing surface filled with `fill`.
// `parent` 0 with `overrideRedirect` makes a popup, without it a top-level window.
Window* createOwnWindow(::Window parent, int x, int y, int width, int height, bool overrideRedirect, Colour fill,
                       long eventMask);
void destroyOwnWindow(Window* window);

// The record of any window id; own windows by their id, others made on first sight and kept
// while the connection is open. Null for 0.
Window* windowOf(::Window id);
// The own window, or null when the handle is not one of ours that still exists.
Window* ownWindow(const void* handle);

// Puts on the screen whatever of an own window's surface was drawn since it was last put.
void flushWindow(Window* window);
void flushAllWindows();
void forEachOwnWindow(const std::function<void(Window&)>& visit);

// Paints queued for own windows (by Expose or by a repaint request), oldest first; a window's
// queued paint covers every area queued for it since its last paint.
void queuePaint(Window* window, const Rect& area);
void queueWholePaint(Window* window);
bool paintOnePending();

// While a popup menu holds the keyboard grab, keys go to it: it counts as the focus window.
void setKeyboardGrabWindow(Window* window);

// The connection's records go when it closes.
void forgetAllWindows();

}  // namespace x11
}  // namespace platform
