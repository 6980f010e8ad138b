#include "platform/x11/events.h"

#include "platform/x11/connection.h"
#include "platform/x11/windows.h"

#include <poll.h>

namespace platform {
namespace x11 {
namespace {

unsigned heldButtons = 0;  // bit n for button n
int modalDepth = 0;        // press handlers and modal loops running
std::function<bool(XEvent&)> modalHandler;

void pressButton(Window* window, const XButtonEvent& press) {
    WindowEvents* events = window->events;
    if (!events || window->destroyed) return;
    ++modalDepth;
    // The handler may run a drag loop that drains events, and the window may be gone when it
    // returns: it is not touched afterwards.
    events->onButtonDown({press.x, press.y});
    --modalDepth;
}

void handleEvent(XEvent& event) {
    // Held buttons are counted for every window, the popup menu's included.
    if (event.type == ButtonPress && event.xbutton.button <= 3) heldButtons |= 1u << event.xbutton.button;
    if (event.type == ButtonRelease && event.xbutton.button <= 3) heldButtons &= ~(1u << event.xbutton.button);
    if (modalHandler && modalHandler(event)) return;
    Window* window = ownWindow(windowOf(event.xany.window));
    if (!window) return;
    switch (event.type) {
    case Expose:
        // What was put while the window was not viewable (inside a host window not yet mapped)
        // never reached the screen: the repaint must go out whole, changed or not.
        window->image.forgetShown();
        queuePaint(window);
        break;
    case ButtonPress:
        if (event.xbutton.button <= 3 && modalDepth == 0) pressButton(window, event.xbutton);
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window != window->id) break;
        window->destroyed = true;
        if (WindowEvents* events = window->events) {
            window->events = nullptr;
            events->onDestroy();
        }
        break;
    default: break;
    }
}

}  // namespace

void drainEvents() {
    Connection* open = connection();
    if (!open) return;
    // One event at a time: a press handler drains the events that follow its press itself.
    while (connection() && XPending(open->display) > 0) {
        XEvent event;
        XNextEvent(open->display, &event);
        handleEvent(event);
    }
}

bool modalLoopRunning() { return modalDepth > 0; }

void forgetEvents() { heldButtons = 0; }

bool heldByEvent(unsigned button) { return button <= 3 && (heldButtons >> button & 1); }

ModalScope::ModalScope(std::function<bool(XEvent&)> handler) : previous_(std::move(modalHandler)) {
    modalHandler = handler ? std::move(handler) : previous_;
    ++modalDepth;
}

ModalScope::~ModalScope() {
    --modalDepth;
    modalHandler = std::move(previous_);
}

void waitForEvents(int milliseconds) {
    Connection* open = connection();
    if (!open || XPending(open->display) > 0) return;
    pollfd descriptor{ConnectionNumber(open->display), POLLIN, 0};
    poll(&descriptor, 1, milliseconds);
}

}  // namespace x11

void processPendingEvents() {
    x11::drainEvents();
    if (!x11::connection()) return;
    // Paints wait while a press handler or modal loop runs: there one paint is taken per idle
    // pass (dispatchOnePendingPaint), as the OS does during a drag.
    if (!x11::modalLoopRunning()) {
        while (x11::paintOnePending()) {
        }
    }
    x11::flushAllWindows();
}

}  // namespace platform
