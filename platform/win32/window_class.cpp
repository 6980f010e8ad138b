#include "platform/win32/window_class.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/win32/module.h"

namespace platform::win32 {

namespace {

// Windows live on the host's GUI thread, so the count needs no lock.
int classUsers = 0;

}  // namespace

const char* windowClassName() {
    static const std::string name = [] {
        char buffer[32];
        // Only the low 32 bits: the name keeps its 8 digits in the 64-bit build too.
        std::snprintf(buffer, sizeof buffer, "Plugin%08x",
                      static_cast<unsigned>(reinterpret_cast<uintptr_t>(moduleHandle())));
        return std::string(buffer);
    }();
    return name.c_str();
}

bool acquireWindowClass(WNDPROC procedure) {
    if (classUsers == 0) {
        WNDCLASSA windowClass{};
        windowClass.style = CS_GLOBALCLASS;
        windowClass.lpfnWndProc = procedure;
        windowClass.cbClsExtra = 0;
        windowClass.cbWndExtra = 0;
        windowClass.hInstance = moduleHandle();
        windowClass.hIcon = nullptr;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
        windowClass.lpszMenuName = nullptr;
        windowClass.lpszClassName = windowClassName();
        if (RegisterClassA(&windowClass) == 0) return false;
    }
    ++classUsers;
    return true;
}

void releaseWindowClass() {
    if (classUsers <= 0) return;
    if (--classUsers == 0) UnregisterClassA(windowClassName(), moduleHandle());
}

}  // namespace platform::win32
