// A bitmap of the module's resources, shared by reference counting between the views that show
// it. Draws any part of itself opaquely or with one colour keyed out as transparent.
// Images of a strip (knob frames, switch positions) are stacked vertically in one bitmap.
#pragma once

#include "gui/CGuiColor.h"
#include "gui/CGuiGeometry.h"
#include "platform/platform.h"

class CGuiContext;

class CGuiBitmap {
public:
    explicit CGuiBitmap(int resourceNumber);  // refCount 1; size 0 x 0 when the resource is missing

    void retain() { ++refCount; }
    void release();  // the last release destroys the bitmap

    platform::Surface* bitmapHandle() const { return bitmap_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Copy rect's size from `source` of this bitmap to rect (plus the context's drawOffset).
    void paintOpaque(CGuiContext* context, const CGuiRect& rect, const CGuiPoint& source);
    // As paintOpaque, but pixels of the key colour leave the destination as it was.
    void paintKeyed(CGuiContext* context, const CGuiRect& rect, const CGuiPoint& source);

    // Later keyed draws keep the mask built from the old key until captureMask.
    void setTransparentKey(CGuiColor color) { transparentKey = color; }
    // Rebuilds the mask from the pixels already in the context at `point` (no drawOffset).
    void captureMask(CGuiContext* context, const CGuiPoint& point);

    int resourceId;
    int refCount = 1;
    CGuiColor transparentKey = kTransparentKeyColor;

private:
    ~CGuiBitmap();
    void buildMask(platform::DeviceContext* destination);

    int width_ = 0;
    int height_ = 0;
    platform::Surface* bitmap_ = nullptr;
    platform::Surface* maskHandle_ = nullptr;  // 1 where the key colour was

    CGuiBitmap(const CGuiBitmap&) = delete;
    CGuiBitmap& operator=(const CGuiBitmap&) = delete;
};

// Null-safe reference counting for the views that hold a bitmap.
inline CGuiBitmap* retainBitmap(CGuiBitmap* bitmap) {
    if (bitmap)
        bitmap->retain();
    return bitmap;
}

inline void releaseBitmap(CGuiBitmap* bitmap) {
    if (bitmap)
        bitmap->release();
}

// Makes `holder` hold `bitmap`: the new one is retained before the old one is released, in case
// they are the same bitmap.
inline void replaceBitmap(CGuiBitmap*& holder, CGuiBitmap* bitmap) {
    retainBitmap(bitmap);
    releaseBitmap(holder);
    holder = bitmap;
}
