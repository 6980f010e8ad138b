// A drawing context over a memory surface: controls draw into one and copy the result to the
// window in one blit, so that no half-drawn state shows. Its drawOffset is (0, 0), so views draw
// relative to its top-left corner.
#pragma once

#include "gui/CGuiContext.h"

class CGuiBitmap;

class CGuiOffscreen : public CGuiContext {
public:
    // The size of `bitmap` (20 x 20 without one). drawIntoBitmap false: a surface of its own
    // holding a copy of the bitmap, or black; true: drawing changes the bitmap itself.
    CGuiOffscreen(CGuiContext* context, CGuiBitmap* bitmap, bool drawIntoBitmap);
    // A surface of its own for the frame's window, filled with `background`.
    CGuiOffscreen(CGuiFrame* frame, int width, int height, CGuiColor background);
    ~CGuiOffscreen() override;

    // Copies rect's size from `source` of the offscreen to rect (plus the destination's drawOffset).
    void copyInto(CGuiContext* destination, const CGuiRect& rect, const CGuiPoint& source);

    int width() const { return width_; }
    int height() const { return height_; }
    platform::Surface* surface() const { return surface_; }

private:
    void attachSurface(platform::DeviceContext* compatible, platform::Surface* surface);

    bool ownsBitmap_ = false;
    int height_ = 20;
    int width_ = 20;
    platform::Surface* surface_ = nullptr;
    platform::Surface* previousSurface_ = nullptr;
};
