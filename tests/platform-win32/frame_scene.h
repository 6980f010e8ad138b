// One frame drawn the same way by both backends: a skin and a view with opaque and keyed
// bitmaps, fills, outlines, lines and an offscreen. The soft backend's picture of it is stored as
// a reference image (data/frame_scene.ppm) that the Windows build must reproduce under Wine.
#pragma once

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

}  // namespace frame_scene
