// A DLL with the backend linked in, loaded by the tests: the backend must use the DLL's own
// module handle for its resources and its window class, never the program's.
#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/module.h"

namespace {

class IgnoringEvents : public platform::WindowEvents {
public:
    void onPaint(platform::DeviceContext*, const platform::Rect&) override {}
    void onButtonDown(platform::Point) override {}
    void onDestroy() override {}
};

IgnoringEvents events;

}  // namespace

extern "C" {

__declspec(dllexport) HINSTANCE probeModuleHandle() { return platform::win32::moduleHandle(); }

__declspec(dllexport) size_t probeBankSize() {
    platform::ResourceData bank{nullptr, 0};
    return platform::findResource("FXBANK", 200, bank) ? bank.size : 0;
}

__declspec(dllexport) HWND probeCreateWindow(HWND parent) {
    return reinterpret_cast<HWND>(platform::createChildWindow(parent, 20, 20, &events));
}

__declspec(dllexport) void probeDestroyWindow(HWND window) {
    platform::destroyChildWindow(reinterpret_cast<platform::Window*>(window));
}

}  // extern "C"
