#include "pixel_check.h"

#include <cstdio>

namespace platform_win32_test {

std::string pixelDifferences(HDC context, int width, int height, const ExpectedImage& expected) {
    constexpr int kReported = 8;
    std::string report;
    int mismatches = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const platform::Colour actual = GetPixel(context, x, y);
            const platform::Colour wanted = expected(x, y);
            if (actual == wanted) continue;
            if (++mismatches <= kReported) {
                char line[80];
                std::snprintf(line, sizeof line, "(%d, %d): 0x%06x instead of 0x%06x\n", x, y,
                              static_cast<unsigned>(actual), static_cast<unsigned>(wanted));
                report += line;
            }
        }
    }
    if (mismatches > kReported) report += std::to_string(mismatches) + " pixels differ in all\n";
    return report;
}

reference_image::Image readWindowImage(HWND window, int width, int height) {
    reference_image::Image image;
    image.width = width;
    image.height = height;
    HDC context = GetDC(window);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.pixels.push_back(GetPixel(context, x, y));
    }
    ReleaseDC(window, context);
    return image;
}

MemoryCanvas::MemoryCanvas(int width, int height, platform::Colour background)
    : width(width),
      height(height),
      memoryContext(platform::createMemoryContext(nullptr)),
      surface(platform::createCompatibleSurface(nullptr, width, height)),
      previousSurface(platform::selectSurface(memoryContext, surface)) {
    fill(memoryContext, platform::Rect{0, 0, width, height}, background);
}

MemoryCanvas::~MemoryCanvas() {
    platform::selectSurface(memoryContext, previousSurface);
    platform::deleteSurface(surface);
    platform::deleteMemoryContext(memoryContext);
}

MonochromeCanvas::MonochromeCanvas(int width, int height)
    : memoryContext(platform::createMemoryContext(nullptr)),
      surface(platform::createMonochromeSurface(width, height)),
      previousSurface(platform::selectSurface(memoryContext, surface)) {
    fill(memoryContext, platform::Rect{0, 0, width, height}, platform::makeColour(0, 0, 0));
}

MonochromeCanvas::~MonochromeCanvas() {
    platform::selectSurface(memoryContext, previousSurface);
    platform::deleteSurface(surface);
    platform::deleteMemoryContext(memoryContext);
}

void fill(platform::DeviceContext* context, const platform::Rect& rect, platform::Colour colour) {
    platform::Brush* brush = platform::createSolidBrush(colour);
    platform::fillRect(context, rect, brush);
    platform::deleteBrush(brush);
}

}  // namespace platform_win32_test
