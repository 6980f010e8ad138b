#include "XErrorTrap.h"

#include "GroupChannel.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <string>

namespace host {
namespace {

// The first word of Xlib's text for the error: "BadAtom (invalid Atom parameter)" gives "BadAtom".
std::string errorName(Display* display, int code) {
    char text[160] = "";
    XGetErrorText(display, code, text, sizeof text);
    std::string name(text);
    const size_t blank = name.find(' ');
    if (blank != std::string::npos) name.erase(blank);
    return name.empty() ? "X error " + std::to_string(code) : name;
}

std::string requestName(Display* display, const XErrorEvent& event) {
    char number[16];
    std::snprintf(number, sizeof number, "%d", event.request_code);
    char text[160] = "";
    XGetErrorDatabaseText(display, "XRequest", number, "", text, sizeof text);
    if (*text) return text;
    // Extension requests have no name in Xlib's database.
    return "request " + std::to_string(event.request_code) + "." + std::to_string(event.minor_code);
}

// Xlib allows no protocol request in here; reading its error database is none.
int reportXError(Display* display, XErrorEvent* event) {
    const std::string finding = errorName(display, event->error_code) + " in " + requestName(display, *event);
    const std::string step = currentStep();
    reportWarning("X " + finding, finding + (step.empty() ? "" : " during " + step));
    return 0;
}

}  // namespace

void trapXErrors() { XSetErrorHandler(reportXError); }

}  // namespace host
