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
// Requests with a reply have had their errors handled when they return; one-way requests
// need a round trip to the server, made by succeeded() or at the end of the trap.
class ErrorTrap {
public:
    enum class Requests { OneWay, WithReplies };
    explicit ErrorTrap(Display* display, Requests requests = Requests::OneWay);
    ~ErrorTrap();
    // True when nothing sent under the trap so far has failed.
    bool succeeded();

private:
    Display* display_;
    Requests requests_;
    XErrorHandler previous_;
    ErrorTrap* outer_;
    bool failed_ = false;
    bool answered_ = false;  // nothing one-way has been sent since the last round trip
    friend int handleError(Display*, XErrorEvent*);
};

}  // namespace platform::x11
