#include <windows.h>

#include "platform/platform.h"

namespace platform {

uint32_t tickCount() { return GetTickCount(); }

void sleepMilliseconds(uint32_t milliseconds) { Sleep(milliseconds); }

}  // namespace platform
