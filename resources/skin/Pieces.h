// The painters of the 28 skin bitmaps. Every position on the panel comes from kEditorLayout.
#pragma once

#include <memory>
#include <vector>

#include "SkinCanvas.h"
#include "editor/EditorLayout.h"

namespace skin {

// The first record of the layout with this kind and tag; exits when there is none.
const ControlLayout& layoutOf(int kind, int tag);
// The record whose background, highlight, foreground or pressed bitmap is this resource.
const ControlLayout& layoutUsing(int resourceId);
const ControlLayout& positionView();

std::unique_ptr<Canvas> paintBackground();                                // 101
std::unique_ptr<Canvas> paintDisc(const Canvas& background, bool lit);   // 102, 103
std::unique_ptr<Canvas> paintMarkers();                                   // 128
struct PalettedImage {
    int width, height;
    std::vector<uint32_t> palette;
    std::vector<uint8_t> indices;
};
PalettedImage paintIcon();                                                // 104
std::unique_ptr<Canvas> paintTrack(const Canvas& background, int resourceId);  // 105..107
std::unique_ptr<Canvas> paintHandle();                                    // 108
std::unique_ptr<Canvas> paintButton();                                    // 109
std::unique_ptr<Canvas> paintSwitch(const Canvas& background);           // 110
std::unique_ptr<Canvas> paintKnob();                                      // 111
std::unique_ptr<Canvas> paintMenu(const Canvas& background, bool pressed);     // 112, 113
std::unique_ptr<Canvas> paintReadout(const Canvas& background, int resourceId, bool highlighted);  // 114..127

// The colours a keyed bitmap's edges are blended against: what lies under them on screen.
Rgb trackFace();
Rgb discFace();

// Turns a layer into a keyed bitmap: pixels the shape does not touch become the white key, the
// others are composed over `under` and kept below white.
void keyLayer(const Canvas& layer, Canvas& out, int x, int y, Rgb under);

}  // namespace skin
