// The module's window class, shared by all its child windows and registered only while at
// least one of them exists.
#pragma once

#include <windows.h>

namespace platform::win32 {

// "Plugin" and the module handle in 8 lower-case hex digits: unique per loaded module, so two
// copies of the plug-in (or two builds) never share a class or a window procedure.
const char* windowClassName();

// The first user registers the class; false when it cannot be registered.
bool acquireWindowClass(WNDPROC procedure);
// The last user unregisters it.
void releaseWindowClass();

}  // namespace platform::win32
