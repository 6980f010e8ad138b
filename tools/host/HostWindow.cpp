#include "HostWindow.h"

#include "XErrorTrap.h"

#include <X11/Xlib.h>

#include <cstdint>
#include <cstdlib>

namespace host {

struct HostWindow::Connection {
    Display* display = nullptr;
    Window window = 0;
};

std::unique_ptr<HostWindow> HostWindow::open(std::string& reason) {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) {
        reason = "DISPLAY is not set";
        return nullptr;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        reason = std::string("cannot open display ") + name;
        return nullptr;
    }
    trapXErrors(display);
    std::unique_ptr<HostWindow> window(new HostWindow);
    window->connection_ = std::make_unique<Connection>();
    window->connection_->display = display;
    const int screen = DefaultScreen(display);
    window->connection_->window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 800, 600, 0,
                                                      BlackPixel(display, screen), WhitePixel(display, screen));
    XMapWindow(display, window->connection_->window);
    XSync(display, False);
    return window;
}

HostWindow::~HostWindow() {
    XDestroyWindow(connection_->display, connection_->window);
    XCloseDisplay(connection_->display);
}

void* HostWindow::handle() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(connection_->window)); }

int HostWindow::children() {
    Display* display = connection_->display;
    XSync(display, False);
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
    }
    Window root = 0;
    Window parent = 0;
    Window* list = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, connection_->window, &root, &parent, &list, &count)) return 0;
    if (list) XFree(list);
    return static_cast<int>(count);
}

// X11 ids carry 29 bits and the server's client bits; this one lies above what any server uses.
void* missingWindow() { return reinterpret_cast<void*>(static_cast<uintptr_t>(0x1FFFFFF7)); }

}  // namespace host
