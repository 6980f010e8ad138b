#include <windows.h>

#include "platform/platform.h"

namespace platform {

void showMessageBox(const char* text, const char* title) { MessageBoxA(nullptr, text, title, MB_OK); }

}  // namespace platform
