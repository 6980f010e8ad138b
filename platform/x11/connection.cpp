#include "platform/x11/connection.h"

#include "platform/x11/events.h"
#include "platform/x11/windows.h"

#include <X11/Xatom.h>
#include <X11/cursorfont.h>

#include <thread>

namespace platform::x11 {
namespace {

Connection shared;
int users = 0;
std::thread::id owner;
ErrorTrap* currentTrap = nullptr;

Cursor makeInvisibleCursor(Display* display, ::Window root) {
    static const char noBits[1] = {0};
    Pixmap empty = XCreateBitmapFromData(display, root, noBits, 1, 1);
    XColor black{};
    Cursor cursor = XCreatePixmapCursor(display, empty, empty, &black, &black, 0, 0);
    XFreePixmap(display, empty);
    return cursor;
}

}  // namespace

int handleError(Display* display, XErrorEvent* error) {
    for (ErrorTrap* trap = currentTrap; trap; trap = trap->outer_) {
        if (trap->display_ == display) {
            trap->failed_ = true;
            return 0;
        }
    }
    // Another connection's error (the host's own): to the handler that was there before the
    // outermost trap.
    ErrorTrap* outermost = currentTrap;
    while (outermost && outermost->outer_) outermost = outermost->outer_;
    return outermost && outermost->previous_ ? outermost->previous_(display, error) : 0;
}

// An error of an earlier request of ours that arrives under the trap is taken too: on this
// connection every error is better caught than left to a handler that ends the process.
ErrorTrap::ErrorTrap(Display* display, Requests requests)
    : display_(display), requests_(requests), outer_(currentTrap) {
    previous_ = XSetErrorHandler(handleError);
    currentTrap = this;
}

ErrorTrap::~ErrorTrap() {
    if (requests_ == Requests::OneWay && !answered_)
        XSync(display_, False);
    currentTrap = outer_;
    XSetErrorHandler(previous_);
}

// Callers make this their last request of the trap, so that the destructor need not wait again.
bool ErrorTrap::succeeded() {
    if (requests_ == Requests::OneWay) {
        XSync(display_, False);
        answered_ = true;
    }
    return !failed_;
}

Connection* connection() {
    return users > 0 && std::this_thread::get_id() == owner ? &shared : nullptr;
}

Connection* acquireConnection() {
    if (users > 0) {
        if (std::this_thread::get_id() != owner) return nullptr;
        ++users;
        return &shared;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) return nullptr;
    Connection opened;
    opened.display = display;
    opened.screen = DefaultScreen(display);
    opened.root = RootWindow(display, opened.screen);
    opened.visual = DefaultVisual(display, opened.screen);
    opened.depth = DefaultDepth(display, opened.screen);
    opened.colormap = DefaultColormap(display, opened.screen);
    // Shared memory works only when the server runs on this machine; the first attach says.
    opened.sharedMemory = XShmQueryExtension(display) == True;
    opened.wmState = XInternAtom(display, "WM_STATE", False);
    opened.wmProtocols = XInternAtom(display, "WM_PROTOCOLS", False);
    opened.wmDeleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    opened.netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    opened.utf8String = XInternAtom(display, "UTF8_STRING", False);
    opened.arrowCursor = XCreateFontCursor(display, XC_left_ptr);
    opened.sizeCursor = XCreateFontCursor(display, XC_sb_v_double_arrow);
    opened.invisibleCursor = makeInvisibleCursor(display, opened.root);
    shared = opened;
    owner = std::this_thread::get_id();
    users = 1;
    return &shared;
}

void releaseConnection() {
    if (users == 0 || --users > 0) return;
    forgetAllWindows();
    forgetEvents();
    // Closing frees every resource the connection made on the server: windows, cursors, images.
    XCloseDisplay(shared.display);
    shared = Connection{};
    owner = std::thread::id();
}

}  // namespace platform::x11
