// Shared pieces of the toolkit's tests: a fresh soft desktop per test, a canvas to draw on and read
// back, views that record what reaches them, and an effect whose host calls are recorded.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui/CGuiContext.h"
#include "gui/CGuiView.h"
#include "platform/platform.h"
#include "platform/soft/desktop.h"
#include "shell/AEffPluginX.h"

// Bitmaps embedded into the test program (tests/gui/bitmaps).
constexpr int kKeyedBitmap = 1001;    // 6 x 4: colours on white, one magenta row
constexpr int kSkinBitmap = 1002;     // 64 x 48: pixel (x, y) is (4x, 5y, 128)
constexpr int kStripBitmap = 1003;    // 16 x 32: two framed 16 x 16 images, green over blue
constexpr int kMissingBitmap = 1999;  // not embedded

constexpr platform::Colour kRed = platform::makeColour(255, 0, 0);
constexpr platform::Colour kGreen = platform::makeColour(0, 255, 0);
constexpr platform::Colour kBlue = platform::makeColour(0, 0, 255);
constexpr platform::Colour kWhite = platform::makeColour(255, 255, 255);
constexpr platform::Colour kBlack = platform::makeColour(0, 0, 0);
constexpr platform::Colour kMagenta = platform::makeColour(255, 0, 255);
constexpr platform::Colour kGrey = platform::makeColour(64, 64, 64);

inline platform::Colour skinPixel(int x, int y) {
    return platform::makeColour(static_cast<uint8_t>(4 * x), static_cast<uint8_t>(5 * y), 128);
}

// Every test starts and ends on a fresh desktop.
class SoftDesktopTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// A colour surface in a memory context, and a toolkit context drawing into it.
class Canvas {
public:
    Canvas(int width, int height, platform::Colour fill);
    ~Canvas();

    CGuiContext* context() { return context_.get(); }
    platform::DeviceContext* deviceContext() const { return deviceContext_; }
    platform::Surface* surface() const { return surface_; }
    platform::Colour pixel(int x, int y) const { return platform::soft::surfacePixel(surface_, x, y); }
    // One character per pixel, rows separated by newlines; '?' for colours not in the legend.
    std::string picture(const std::map<platform::Colour, char>& legend) const;

private:
    int width_;
    int height_;
    platform::Surface* surface_;
    platform::DeviceContext* deviceContext_;
    platform::Surface* previousSurface_;
    std::unique_ptr<CGuiContext> context_;
};

// Every pixel of two surfaces of this size equal.
bool samePixels(platform::Surface* a, platform::Surface* b, int width, int height);

// A view that fills its bounds with its colour when painted and logs every event it receives.
class ProbeView : public CGuiView {
public:
    ProbeView(const CGuiRect& bounds, std::string name, std::vector<std::string>& log,
              CGuiColor color = {255, 0, 0, 0});
    ~ProbeView() override;

    void paint(CGuiContext* context) override;
    void onMouseDown(CGuiContext* context, CGuiPoint point) override;
    int32_t onKeyPressed(VstKeyCode& key) override;
    int32_t onKeyReleased(VstKeyCode& key) override;
    bool onFilesDropped(const char* const* data, int count, int kind, CGuiPoint point) override;
    bool onWheelTurned(CGuiContext* context, CGuiPoint point, float distance) override;

    int32_t keyAnswer = -1;
    bool acceptsDrops = true;
    bool* destroyed = nullptr;  // set true by the destructor

private:
    std::string name_;
    std::vector<std::string>& log_;
    CGuiColor color_;
};

// Host calls the test effect made, in order.
struct HostCall {
    int32_t opcode;
    int32_t index;
};
std::vector<HostCall>& hostCalls();
// Runs inside the host callback for every call, after it is recorded.
void setHostHook(std::function<void(int32_t opcode)> hook);
int countHostCalls(int32_t opcode);

class TestEffect : public AEffPluginX {
public:
    TestEffect();
    void process(float**, float**, int32_t) override {}
};
