// The screen scale of an X11 display: its Xft.dpi resource, which desktops set for scaled
// screens, read from the root window's RESOURCE_MANAGER property.
#include "platform/x11/connection.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace platform {
namespace {

constexpr double kReferenceDpi = 96.0;
constexpr double kLargestScale = 3.0;

// The value of "Xft.dpi:" in a resource database text; 0 when it has none.
double xftDpi(const std::string& resources) {
    size_t start = 0;
    while (start < resources.size()) {
        size_t end = resources.find('\n', start);
        if (end == std::string::npos) end = resources.size();
        const std::string line = resources.substr(start, end - start);
        start = end + 1;
        const char* name = "Xft.dpi";
        if (line.compare(0, std::strlen(name), name) != 0) continue;
        size_t colon = line.find_first_not_of(" \t", std::strlen(name));
        if (colon == std::string::npos || line[colon] != ':') continue;
        return std::atof(line.c_str() + colon + 1);
    }
    return 0.0;
}

std::string resourceManager(x11::Connection& open) {
    x11::ErrorTrap trap(open.display, x11::ErrorTrap::Requests::WithReplies);
    const Atom property = XInternAtom(open.display, "RESOURCE_MANAGER", True);
    if (property == None) return std::string();
    Atom type = None;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(open.display, open.root, property, 0, 1 << 20, False, XA_STRING, &type,
                                          &format, &items, &remaining, &data);
    std::string text;
    if (status == Success && data && format == 8) text.assign(reinterpret_cast<const char*>(data), items);
    if (data) XFree(data);
    return trap.succeeded() ? text : std::string();
}

}  // namespace

// One display serves every window of the host, so the window does not matter. The factor is
// rounded to the nearest quarter: desktops give dpi values like 144 or 168 but also 190.
float systemScale(void*) {
    x11::Connection* open = x11::acquireConnection();
    if (!open) return 1.0f;
    const double dpi = xftDpi(resourceManager(*open));
    x11::releaseConnection();
    if (!(dpi > 0.0)) return 1.0f;
    const double scale = std::round(dpi / kReferenceDpi * 4.0) / 4.0;
    return static_cast<float>(std::clamp(scale, 1.0, kLargestScale));
}

}  // namespace platform
