// The test program's own top-level window, standing in for a host's editor window.
#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace platform_win32_test {

// Created on first use and kept for the whole run: Wine without a window manager takes two
// seconds to destroy a visible top-level window. Its client area is 320 x 240 pixels.
HWND testHostWindow();

// Handles every message waiting in this thread's queue.
void pumpMessages();

// The Win32 handle behind a platform window.
inline HWND handleOf(platform::Window* window) { return reinterpret_cast<HWND>(window); }

}  // namespace platform_win32_test
