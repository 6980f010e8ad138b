#include "gui/CGuiOffscreen.h"

#include "gui/CGuiBitmap.h"
#include "gui/CGuiFrame.h"

CGuiOffscreen::CGuiOffscreen(CGuiContext* context, CGuiBitmap* bitmap, bool drawIntoBitmap)
    : CGuiContext(context ? context->frame() : nullptr, nullptr, nullptr) {
    if (context)
        scale = context->scale;
    if (bitmap) {
        width_ = bitmap->width();
        height_ = bitmap->height();
    }
    platform::DeviceContext* compatible = context ? context->deviceContext() : nullptr;
    if (drawIntoBitmap) {
        attachSurface(compatible, bitmap ? bitmap->surfaceFor(scale) : nullptr);
        return;
    }
    ownsBitmap_ = true;
    attachSurface(compatible,
                  platform::createCompatibleSurface(compatible, scale.toDevice(width_), scale.toDevice(height_)));
    if (bitmap) {
        bitmap->paintOpaque(this, {0, 0, width_, height_}, {0, 0});
    } else {
        setBrushColor(kBlackColor);
        paintRect({0, 0, width_, height_});
    }
}

CGuiOffscreen::CGuiOffscreen(CGuiFrame* frame, int width, int height, CGuiColor background)
    : CGuiContext(frame, nullptr, nullptr), ownsBitmap_(true), height_(height), width_(width) {
    platform::Window* window = frame ? frame->window() : nullptr;
    platform::DeviceContext* windowContext = window ? platform::windowContext(window) : nullptr;
    platform::Surface* surface =
        platform::createCompatibleSurface(windowContext, scale.toDevice(width), scale.toDevice(height));
    if (windowContext)
        platform::releaseWindowContext(window, windowContext);
    attachSurface(nullptr, surface);
    // paintRect leaves the top row and left column to the outline.
    setBrushColor(background);
    setPenColor(background);
    paintRect({0, 0, width, height});
    outlineRect({0, 0, width, height});
}

CGuiOffscreen::~CGuiOffscreen() {
    platform::DeviceContext* memoryContext = deviceContext();
    detachDeviceContext();
    if (memoryContext) {
        if (surface_)
            platform::selectSurface(memoryContext, previousSurface_);
        platform::deleteMemoryContext(memoryContext);
    }
    if (ownsBitmap_ && surface_)
        platform::deleteSurface(surface_);
}

void CGuiOffscreen::attachSurface(platform::DeviceContext* compatible, platform::Surface* surface) {
    platform::DeviceContext* memoryContext = platform::createMemoryContext(compatible);
    surface_ = surface;
    if (surface)
        previousSurface_ = platform::selectSurface(memoryContext, surface);
    attachDeviceContext(memoryContext);
}

void CGuiOffscreen::copyInto(CGuiContext* destination, const CGuiRect& rect, const CGuiPoint& source) {
    platform::DeviceContext* target = destination ? destination->deviceContext() : nullptr;
    if (!target || !deviceContext())
        return;
    // Both sides at the destination's scale: an offscreen is made at the scale it is shown at.
    const platform::Rect at = destination->scale.toDevice(rect.movedBy(destination->drawOffset));
    const platform::Point from = destination->scale.toDevice(source);
    platform::bitBlt(target, at.left, at.top, at.right - at.left, at.bottom - at.top, deviceContext(), from.x, from.y,
                     platform::RasterOp::Copy);
}
