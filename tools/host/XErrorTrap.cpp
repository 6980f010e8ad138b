#include "XErrorTrap.h"

#include "GroupChannel.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <map>
#include <string>

namespace host {
namespace {

std::map<int, std::string> extensionNames;  // by major opcode; written before any module call

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
    // Extension requests have no name in Xlib's database: the extension's name and the minor code.
    const auto extension = extensionNames.find(event.request_code);
    const std::string minor = std::to_string(event.minor_code);
    if (extension != extensionNames.end()) return extension->second + " request " + minor;
    return "request " + std::to_string(event.request_code) + "." + minor;
}

// Xlib allows no protocol request in here; reading its error database is none.
int reportXError(Display* display, XErrorEvent* event) {
    const std::string finding = errorName(display, event->error_code) + " in " + requestName(display, *event);
    const std::string step = currentStep();
    reportWarning("X " + finding, finding + (step.empty() ? "" : " during " + step));
    return 0;
}

}  // namespace

void trapXErrors(Display* display) {
    XSetErrorHandler(reportXError);
    if (!display || !extensionNames.empty()) return;
    int count = 0;
    char** names = XListExtensions(display, &count);
    for (int i = 0; i < count; ++i) {
        int major = 0;
        int event = 0;
        int error = 0;
        if (XQueryExtension(display, names[i], &major, &event, &error)) extensionNames[major] = names[i];
    }
    if (names) XFreeExtensionList(names);
}

}  // namespace host
