// One frame drawn the same way by both backends: a skin and a view with opaque and keyed
// bitmaps, fills, outlines, lines and an offscreen. The soft backend's picture of it is stored as
// a reference image (data/frame_scene.ppm) that the Windows build must reproduce under Wine.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "gui/CGuiFrame.h"
#include "platform/platform.h"

namespace frame_scene {

// Bitmap resources of the test programs (data/frame_skin.bmp, data/frame_sprite.bmp).
constexpr int kSkinBitmap = 1101;    // 96 x 64, every pixel its own colour
constexpr int kSpriteBitmap = 1102;  // 16 x 12, a diamond on white (the key colour)

constexpr CGuiRect kFrameRect = {0, 0, 96, 64};
// Text and curves go here: rasterisers may place their pixels differently, so the comparison
// leaves this area out.
constexpr CGuiRect kFreeformArea = {48, 36, 96, 64};

// Gives the frame its skin and the scene's view.
void build(CGuiFrame& frame);

struct Image {
    int width = 0;
    int height = 0;
    std::vector<platform::Colour> pixels;  // rows top to bottom
    platform::Colour at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Binary PPM (P6), the reference image's format.
std::string encodePpm(const Image& image);
bool decodePpm(const void* data, size_t size, Image& image);

// Empty when the images agree everywhere outside kFreeformArea; otherwise the first mismatches.
std::string differencesOutsideFreeform(const Image& actual, const Image& expected);

}  // namespace frame_scene
