// The editor's own connection to the X server: opened with the first child window, closed with
// the last, and used only on the thread that opened it (the host's GUI thread). XInitThreads is
// the application's business, so nothing here is ever called from another thread.
#pragma once

#include "platform/x11/xlib.h"

namespace platform::x11 {

struct Connection {
    Display* display = nullptr;
    ::Window root = 0;
    int screen = 0;
    Visual* visual = nullptr;
    int depth = 0;
    Colormap colormap = 0;
    bool sharedMemory = false;  // MIT-SHM is offered and a segment could be attached
    Atom wmState = 0;
    Atom wmProtocols = 0;
    Atom wmDeleteWindow = 0;
    Atom netWmName = 0;
    Atom utf8String = 0;
    Cursor arrowCursor = 0;
    Cursor sizeCursor = 0;
    Cursor invisibleCursor = 0;
};

// The open connection when the caller is on its thread, else null.
Connection* connection();
// Opens the connection on first use (counted); null when no display can be opened or the
// connection belongs to another thread.
Connection* acquireConnection();
// Closes it when the last user lets go.
void releaseConnection();

// Catches the X errors of our own connection while it lives, then puts the previous handler
// back: the default handler would end the host's process, and the host's own handler stays.
// Errors of other connections go on to the previous handler.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display);
    ~ErrorTrap();
    // Waits for the server to answer everything sent so far; true when none of it failed.
    bool succeeded();

private:
    Display* display_;
    XErrorHandler previous_;
    ErrorTrap* outer_;
    bool failed_ = false;
    friend int handleError(Display*, XErrorEvent*);
};

}  // namespace platform::x11
