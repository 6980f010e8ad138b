#include "ServerResources.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstring>

bool setServerResources(const char* resources) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    const Atom property = XInternAtom(display, "RESOURCE_MANAGER", False);
    if (resources)
        XChangeProperty(display, DefaultRootWindow(display), property, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(resources), static_cast<int>(std::strlen(resources)));
    else
        XDeleteProperty(display, DefaultRootWindow(display), property);
    XCloseDisplay(display);  // flushes the request
    return true;
}
