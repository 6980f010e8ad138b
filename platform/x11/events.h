// The editor's events: drained from the connection in the editor's idle and in every pass of a
// drag loop, since the editor has no thread or event loop of its own.
#pragma once

#include "platform/x11/xlib.h"

#include <functional>

namespace platform::x11 {

// Takes every event the server has sent off the connection and handles it. A button press is
// passed to its window at once, unless a press handler or a modal loop is already running:
// then it is dropped, as a modal loop swallows clicks elsewhere.
void drainEvents();

// True from a press of the button (1 left, 2 middle, 3 right) until its release has been
// handled: a quick click whose release came before the press handler polled still counts.
bool heldByEvent(unsigned button);

// While it lives, presses are not passed to windows and `handler` sees every event first (it
// answers true for the events it took); for modal loops of the backend's own.
class ModalScope {
public:
    explicit ModalScope(std::function<bool(XEvent&)> handler = {});
    ~ModalScope();

private:
    std::function<bool(XEvent&)> previous_;
};

// True while a press handler or a modal loop runs.
bool modalLoopRunning();

// Back to no buttons held, for a connection that closes.
void forgetEvents();

// Waits up to `milliseconds` for the connection to have an event.
void waitForEvents(int milliseconds);

}  // namespace platform::x11
