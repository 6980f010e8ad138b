// Reading pixels back from a device context and comparing them with an expected image.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/platform.h"
#include "reference_image.h"

namespace platform_win32_test {

using ExpectedImage = std::function<platform::Colour(int x, int y)>;

// Empty when every pixel of (0, 0, width, height) in `context` has its expected colour; otherwise
// the first mismatches, one per line, for the test's failure message.
std::string pixelDifferences(HDC context, int width, int height, const ExpectedImage& expected);

// The client area (0, 0, width, height) of a window as the screen shows it.
reference_image::Image readWindowImage(HWND window, int width, int height);

// A memory context holding a colour surface of the screen's kind, filled with `background`.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height, platform::Colour background);
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    platform::DeviceContext* context() const { return memoryContext; }
    HDC handle() const { return reinterpret_cast<HDC>(memoryContext); }
    platform::Colour pixel(int x, int y) const { return GetPixel(handle(), x, y); }
    std::string differences(const ExpectedImage& expected) const {
        return pixelDifferences(handle(), width, height, expected);
    }

    const int width;
    const int height;

private:
    platform::DeviceContext* memoryContext;
    platform::Surface* surface;
    platform::Surface* previousSurface;
};

// A memory context holding a 1-bit surface, all 0 (black).
class MonochromeCanvas {
public:
    MonochromeCanvas(int width, int height);
    ~MonochromeCanvas();
    MonochromeCanvas(const MonochromeCanvas&) = delete;
    MonochromeCanvas& operator=(const MonochromeCanvas&) = delete;

    platform::DeviceContext* context() const { return memoryContext; }
    HDC handle() const { return reinterpret_cast<HDC>(memoryContext); }
    platform::Colour pixel(int x, int y) const { return GetPixel(handle(), x, y); }

private:
    platform::DeviceContext* memoryContext;
    platform::Surface* surface;
    platform::Surface* previousSurface;
};

// Fills (left, top, right, bottom) of `context` with `colour` through a temporary brush.
void fill(platform::DeviceContext* context, const platform::Rect& rect, platform::Colour colour);

}  // namespace platform_win32_test
