// Shared pieces of the soft backend's tests: a fresh desktop per test and a canvas to draw on.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "platform/soft/desktop.h"

constexpr platform::Colour kWhite = platform::makeColour(255, 255, 255);
constexpr platform::Colour kBlack = platform::makeColour(0, 0, 0);
constexpr platform::Colour kRed = platform::makeColour(255, 0, 0);
constexpr platform::Colour kGreen = platform::makeColour(0, 255, 0);
constexpr platform::Colour kBlue = platform::makeColour(0, 0, 255);

class SoftDesktopTest : public ::testing::Test {
protected:
    void SetUp() override { platform::soft::resetDesktop(); }
    void TearDown() override { platform::soft::resetDesktop(); }
};

// A white colour surface selected into a memory context with a black pen, a red brush and a
// green background colour (transparent), cleaned up on destruction.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    platform::DeviceContext* context() const { return context_; }
    platform::Surface* surface() const { return surface_; }
    platform::Colour pixel(int x, int y) const { return platform::soft::surfacePixel(surface_, x, y); }
    void usePen(platform::PenStyle style, int width, platform::Colour colour);
    void useNullPen();
    // One line per row, one character per pixel: '.' white, '#' black, 'r' red, 'g' green,
    // 'b' blue, '?' anything else.
    std::string picture() const;
    // Pixels that are not white.
    int inkCount() const;

private:
    int width_;
    int height_;
    platform::DeviceContext* context_;
    platform::Surface* surface_;
    platform::Pen* pen_ = nullptr;
    platform::Brush* brush_;
};

// A picture from one string per row.
std::string rows(std::initializer_list<const char*> lines);
