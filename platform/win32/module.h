// The module (DLL or program) this backend is linked into.
#pragma once

#include <windows.h>

namespace platform::win32 {

// This module's own instance handle, never the host executable's: resources and the window
// class belong to the plug-in module.
HINSTANCE moduleHandle();

}  // namespace platform::win32
