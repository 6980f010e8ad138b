// The screen scale on Windows: the DPI of the host's window, and where the plug-in keeps its
// settings.
#include "platform/win32/handles.h"

#include <cstdlib>

namespace platform {
namespace {

constexpr float kReferenceDpi = 96.0f;

// GetDpiForWindow exists from Windows 10 1607 on: looked up at run time, so that the module
// still loads on older systems (and on Wine releases without it).
using DpiForWindow = UINT(WINAPI*)(HWND);

DpiForWindow dpiForWindowFunction() {
    HMODULE user = GetModuleHandleA("user32.dll");
    return user ? reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")))
                : nullptr;
}

}  // namespace

float systemScale(void* hostWindow) {
    UINT dpi = 0;
    HWND window = static_cast<HWND>(hostWindow);
    if (window && IsWindow(window)) {
        if (DpiForWindow dpiForWindow = dpiForWindowFunction()) dpi = dpiForWindow(window);
    }
    if (dpi == 0) {
        // The system DPI, which LogPixels sets.
        HDC screen = GetDC(nullptr);
        dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
        ReleaseDC(nullptr, screen);
    }
    if (dpi == 0) return 1.0f;
    const float scale = static_cast<float>(dpi) / kReferenceDpi;
    return scale < 1.0f ? 1.0f : scale > 3.0f ? 3.0f : scale;
}

std::string settingsFolder() {
    const char* appData = std::getenv("APPDATA");
    if (!appData || appData[0] == '\0') return std::string();
    return std::string(appData) + "\\spatialiser";
}

}  // namespace platform
