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
    if (bitmap_)
        platform::deleteSurface(bitmap_);
    if (maskHandle_)
        platform::deleteSurface(maskHandle_);
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
    const CGuiRect at = rect.movedBy(context->drawOffset);
    ScopedMemoryContext bitmapContext(destination, bitmap_);
    platform::bitBlt(destination, at.left, at.top, at.width(), at.height(), bitmapContext.get(), source.h, source.v,
                     RasterOp::Copy);
}

// The mask is 1 (white) where the bitmap has the key colour: a colour-to-1-bit copy sets the bits
// that equal the source context's background colour.
void CGuiBitmap::buildMask(platform::DeviceContext* destination) {
    maskHandle_ = platform::createMonochromeSurface(width_, height_);
    if (!maskHandle_)
        return;
    ScopedMemoryContext bitmapContext(destination, bitmap_);
    ScopedMemoryContext maskContext(destination, maskHandle_);
    platform::setBackgroundColour(bitmapContext.get(), transparentKey.toPlatform());
    platform::bitBlt(maskContext.get(), 0, 0, width_, height_, bitmapContext.get(), 0, 0, RasterOp::Copy);
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
    maskHandle_ = platform::createMonochromeSurface(width_, height_);
    if (!maskHandle_)
        return;
    ScopedMemoryContext maskContext(source, maskHandle_);
    const platform::Colour previous = platform::setBackgroundColour(source, transparentKey.toPlatform());
    platform::bitBlt(maskContext.get(), 0, 0, width_, height_, source, point.h, point.v, RasterOp::Copy);
    platform::setBackgroundColour(source, previous);  // opaque text of the context keeps its background
}

// The temporary contexts keep their default text colour (black) and background colour (white):
// the 1-bit masks turn into black (0) and white (1) when they meet colour surfaces.
void CGuiBitmap::paintKeyed(CGuiContext* context, const CGuiRect& rect, const CGuiPoint& source) {
    platform::DeviceContext* destination = context ? context->deviceContext() : nullptr;
    if (!bitmap_ || !destination)
        return;
    const CGuiRect at = rect.movedBy(context->drawOffset);
    const int w = at.width();
    const int h = at.height();
    if (w <= 0 || h <= 0)
        return;
    if (!maskHandle_)
        buildMask(destination);
    ScopedSurface inverseMask(platform::createMonochromeSurface(w, h));
    ScopedSurface work(platform::createCompatibleSurface(destination, w, h));
    ScopedSurface save(platform::createCompatibleSurface(destination, w, h));
    if (!maskHandle_ || !inverseMask || !work || !save)
        return;
    ScopedMemoryContext inverseContext(destination, inverseMask.get());
    ScopedMemoryContext maskContext(destination, maskHandle_);
    ScopedMemoryContext workContext(destination, work.get());
    ScopedMemoryContext saveContext(destination, save.get());
    ScopedMemoryContext bitmapContext(destination, bitmap_);

    // Keep the bitmap's pixels, which step 5 blackens for a moment.
    platform::bitBlt(saveContext.get(), 0, 0, w, h, bitmapContext.get(), source.h, source.v, RasterOp::Copy);
    platform::bitBlt(inverseContext.get(), 0, 0, w, h, maskContext.get(), source.h, source.v, RasterOp::NotCopy);
    // The screen where the key colour was, black elsewhere.
    platform::bitBlt(workContext.get(), 0, 0, w, h, destination, at.left, at.top, RasterOp::Copy);
    platform::bitBlt(workContext.get(), 0, 0, w, h, maskContext.get(), source.h, source.v, RasterOp::And);
    // The bitmap black where the key colour was, then laid over the screen.
    platform::bitBlt(bitmapContext.get(), source.h, source.v, w, h, inverseContext.get(), 0, 0, RasterOp::And);
    platform::bitBlt(workContext.get(), 0, 0, w, h, bitmapContext.get(), source.h, source.v, RasterOp::Or);
    platform::bitBlt(destination, at.left, at.top, w, h, workContext.get(), 0, 0, RasterOp::Copy);
    platform::bitBlt(bitmapContext.get(), source.h, source.v, w, h, saveContext.get(), 0, 0, RasterOp::Copy);
}
