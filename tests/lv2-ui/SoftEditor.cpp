#include "SoftEditor.h"

#include <cstdio>

#include "effect/CEffect.h"
#include "gui/AEffGUIEditor.h"
#include "platform/soft/desktop.h"

// After the platform's headers: X.h defines None and CursorShape as macros.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

constexpr int kWidth = 454;
constexpr int kHeight = 269;

void dispatch(CEffect& effect, int32_t opcode, void* pointer) {
    effect.effectRecord.dispatcher(&effect.effectRecord, opcode, 0, 0, pointer, 0.0f);
}

// The window's pixels as the soft rasteriser stores them (red | green << 8 | blue << 16).
std::vector<platform::Colour> readWindow(Display* display, ::Window window, int& width, int& height) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return {};
    width = attributes.width;
    height = attributes.height;
    XImage* image = XGetImage(display, window, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (!image) return {};
    std::vector<platform::Colour> pixels(size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            pixels[size_t(y) * width + x] =
                platform::makeColour(uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel));
        }
    }
    XDestroyImage(image);
    return pixels;
}

}  // namespace

SoftEditor::SoftEditor(const std::vector<std::pair<int, float>>& changes) {
    platform::soft::resetDesktop();
    effect_ = std::make_unique<CEffect>(host_.callback());
    hostWindow_ = platform::soft::createHostWindow(nullptr, platform::kStyleCaption, {0, 0, kWidth, kHeight});
    dispatch(*effect_, effEditOpen, hostWindow_);
    platform::dispatchOnePendingPaint();
    for (const auto& [index, value] : changes) effect_->setParameter(index, value);
    dispatch(*effect_, effEditIdle, nullptr);
    // Views overlap at their edges (the disc and the azimuth read-out): only a whole repaint
    // shows the same whatever order the changes came in.
    static_cast<AEffGUIEditor*>(effect_->editor)->repaintAll();
}

SoftEditor::~SoftEditor() {
    dispatch(*effect_, effEditClose, nullptr);
    effect_.reset();
    platform::soft::resetDesktop();
}

int SoftEditor::differingPixels(Display* display, ::Window window) const {
    int width = 0, height = 0;
    const std::vector<platform::Colour> shown = readWindow(display, window, width, height);
    if (shown.empty() || width != kWidth || height != kHeight) return kWidth * kHeight;
    platform::Window* editor = platform::soft::childWindows(hostWindow_).at(0);
    int differing = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
            differing += shown[size_t(y) * kWidth + x] != platform::soft::windowPixel(editor, x, y);
    }
    return differing;
}

bool saveWindowPicture(Display* display, ::Window window, const char* path) {
    int width = 0, height = 0;
    const std::vector<platform::Colour> pixels = readWindow(display, window, width, height);
    FILE* file = pixels.empty() ? nullptr : std::fopen(path, "wb");
    if (!file) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (platform::Colour colour : pixels) {
        const unsigned char rgb[3] = {uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16)};
        std::fwrite(rgb, 1, 3, file);
    }
    return std::fclose(file) == 0;
}

bool pointerAt(Display* display, int x, int y) {
    ::Window root = 0, child = 0;
    int rootX = -1, rootY = -1, windowX = 0, windowY = 0;
    unsigned mask = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX, &windowY, &mask);
    return rootX == x && rootY == y;
}
