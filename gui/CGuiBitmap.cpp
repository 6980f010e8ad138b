#include "gui/CGuiBitmap.h"

#include "gui/CGuiContext.h"
#include "gui/ScopedDrawing.h"

using platform::RasterOp;

CGuiBitmap::CGuiBitmap(int resourceNumber)
    : resourceId(resourceNumber), bitmap_(platform::loadBitmapResource(resourceNumber & 0xFFFF)) {
    if (bitmap_)
        platform::surfaceSize(bitmap_, width_, height_);
}

CGuiBitmap::~CGuiBitmap() {
    forgetScaled();
    if (bitmap_)
        platform::deleteSurface(bitmap_);
    if (maskHandle_)
        platform::deleteSurface(maskHandle_);
}

void CGuiBitmap::forgetScaled() {
    if (scaled_)
        platform::deleteSurface(scaled_);
    scaled_ = nullptr;
}

// 200 % draws the twin one to one. Other scales resample the twin (or the 100 % pixels where a
// bitmap has no twin) to the device size: area averaging below 200 %, bilinear above.
platform::Surface* CGuiBitmap::surfaceFor(const CGuiScale& scale) {
    if (!bitmap_ || scale.isIdentity())
        return bitmap_;
    if (scaled_ && scaledScale_ == scale)
        return scaled_;
    forgetScaled();
    platform::Surface* twin = platform::loadBitmapResource((resourceId & 0xFFFF) + kDoubleSizeResourceOffset);
    int twinWidth = 0, twinHeight = 0;
    if (twin)
        platform::surfaceSize(twin, twinWidth, twinHeight);
    if (twin && (twinWidth != 2 * width_ || twinHeight != 2 * height_)) {
        platform::deleteSurface(twin);  // not this bitmap's twin
        twin = nullptr;
    }
    const int deviceWidth = scale.toDevice(width_), deviceHeight = scale.toDevice(height_);
    if (twin && deviceWidth == twinWidth && deviceHeight == twinHeight) {
        scaled_ = twin;
    } else {
        const platform::Colour key = transparentKey.toPlatform();
        scaled_ = platform::createResampledSurface(nullptr, twin ? twin : bitmap_, deviceWidth, deviceHeight, &key);
        if (twin)
            platform::deleteSurface(twin);
    }
    scaledScale_ = scale;
    return scaled_ ? scaled_ : bitmap_;
}

void CGuiBitmap::release() {
    if (refCount <= 0)
        return;
    if (--refCount == 0)
        delete this;
}

void CGuiBitmap::paintOpaque(CGuiContext* context, const CGuiRect& rect, const CGuiPoint& source) {
    platform::DeviceContext* destination = context ? context->deviceContext() : nullptr;
    if (!bitmap_ || !destination)
        return;
    const CGuiScale& scale = context->scale;
    const platform::Rect at = scale.toDevice(rect.movedBy(context->drawOffset));
    const platform::Point from = scale.toDevice(source);
    ScopedMemoryContext bitmapContext(destination, surfaceFor(scale));
    platform::bitBlt(destination, at.left, at.top, at.right - at.left, at.bottom - at.top, bitmapContext.get(), from.x,
                     from.y, RasterOp::Copy);
}

// The mask is 1 (white) where the bitmap has the key colour: a colour-to-1-bit copy sets the bits
// that equal the source context's background colour.
void CGuiBitmap::buildMask(platform::DeviceContext* destination, platform::Surface* pixels) {
    int width = 0, height = 0;
    platform::surfaceSize(pixels, width, height);
    maskHandle_ = platform::createMonochromeSurface(width, height);
    if (!maskHandle_)
        return;
    ScopedMemoryContext bitmapContext(destination, pixels);
    ScopedMemoryContext maskContext(destination, maskHandle_);
    platform::setBackgroundColour(bitmapContext.get(), transparentKey.toPlatform());
    platform::bitBlt(maskContext.get(), 0, 0, width, height, bitmapContext.get(), 0, 0, RasterOp::Copy);
}

void CGuiBitmap::captureMask(CGuiContext* context, const CGuiPoint& point) {
    platform::DeviceContext* source = context ? context->deviceContext() : nullptr;
    if (!source)
        return;
    if (maskHandle_) {
        platform::deleteSurface(maskHandle_);
        maskHandle_ = nullptr;
    }
    if (width_ <= 0 || height_ <= 0)
        return;
    const CGuiScale& scale = context->scale;
    const int width = scale.toDevice(width_), height = scale.toDevice(height_);
    maskHandle_ = platform::createMonochromeSurface(width, height);
    maskScale_ = scale;
    if (!maskHandle_)
        return;
    ScopedMemoryContext maskContext(source, maskHandle_);
    const platform::Colour previous = platform::setBackgroundColour(source, transparentKey.toPlatform());
    const platform::Point from = scale.toDevice(point);
    platform::bitBlt(maskContext.get(), 0, 0, width, height, source, from.x, from.y, RasterOp::Copy);
    platform::setBackgroundColour(source, previous);  // opaque text of the context keeps its background
}

// The temporary contexts keep their default text colour (black) and background colour (white):
// the 1-bit masks turn into black (0) and white (1) when they meet colour surfaces.
void CGuiBitmap::paintKeyed(CGuiContext* context, const CGuiRect& rect, const CGuiPoint& source) {
    platform::DeviceContext* destination = context ? context->deviceContext() : nullptr;
    if (!bitmap_ || !destination)
        return;
    const CGuiScale& scale = context->scale;
    const platform::Rect at = scale.toDevice(rect.movedBy(context->drawOffset));
    const platform::Point from = scale.toDevice(source);
    const int w = at.right - at.left;
    const int h = at.bottom - at.top;
    if (w <= 0 || h <= 0)
        return;
    platform::Surface* pixels = surfaceFor(scale);
    if (maskHandle_ && maskScale_ != scale) {
        platform::deleteSurface(maskHandle_);  // made for other pixels
        maskHandle_ = nullptr;
    }
    if (!maskHandle_) {
        buildMask(destination, pixels);
        maskScale_ = scale;
    }
    ScopedSurface inverseMask(platform::createMonochromeSurface(w, h));
    ScopedSurface work(platform::createCompatibleSurface(destination, w, h));
    ScopedSurface save(platform::createCompatibleSurface(destination, w, h));
    if (!maskHandle_ || !inverseMask || !work || !save)
        return;
    ScopedMemoryContext inverseContext(destination, inverseMask.get());
    ScopedMemoryContext maskContext(destination, maskHandle_);
    ScopedMemoryContext workContext(destination, work.get());
    ScopedMemoryContext saveContext(destination, save.get());
    ScopedMemoryContext bitmapContext(destination, pixels);

    // Keep the bitmap's pixels, which step 5 blackens for a moment.
    platform::bitBlt(saveContext.get(), 0, 0, w, h, bitmapContext.get(), from.x, from.y, RasterOp::Copy);
    platform::bitBlt(inverseContext.get(), 0, 0, w, h, maskContext.get(), from.x, from.y, RasterOp::NotCopy);
    // The screen where the key colour was, black elsewhere.
    platform::bitBlt(workContext.get(), 0, 0, w, h, destination, at.left, at.top, RasterOp::Copy);
    platform::bitBlt(workContext.get(), 0, 0, w, h, maskContext.get(), from.x, from.y, RasterOp::And);
    // The bitmap black where the key colour was, then laid over the screen.
    platform::bitBlt(bitmapContext.get(), from.x, from.y, w, h, inverseContext.get(), 0, 0, RasterOp::And);
    platform::bitBlt(workContext.get(), 0, 0, w, h, bitmapContext.get(), from.x, from.y, RasterOp::Or);
    platform::bitBlt(destination, at.left, at.top, w, h, workContext.get(), 0, 0, RasterOp::Copy);
    platform::bitBlt(bitmapContext.get(), from.x, from.y, w, h, saveContext.get(), 0, 0, RasterOp::Copy);
}
