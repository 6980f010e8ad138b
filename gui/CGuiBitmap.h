// A bitmap of the module's resources, shared by reference counting between the views that show
// it. Draws any part of itself opaquely or with one colour keyed out as transparent.
// Images of a strip (knob frames, switch positions) are stacked vertically in one bitmap.
// Sizes and rectangles are logical pixels; at a screen scale the bitmap draws from a surface of
// device pixels: the resource itself at 100 %, its double-size twin (id + 2000) at 200 %, and
// between and above that twin resampled.
#pragma once

#include "gui/CGuiColor.h"
#include "gui/CGuiGeometry.h"
#include "gui/CGuiScale.h"
#include "platform/platform.h"

class CGuiContext;

constexpr int kDoubleSizeResourceOffset = 2000;

class CGuiBitmap {
public:
    explicit CGuiBitmap(int resourceNumber);  // refCount 1; size 0 x 0 when the resource is missing

    void retain() { ++refCount; }
    void release();  // the last release destroys the bitmap

    platform::Surface* bitmapHandle() const { return bitmap_; }  // the 100 % pixels
    int width() const { return width_; }
    int height() const { return height_; }
    // The pixels for drawing at `scale`, made on first use and kept until another scale asks;
    // null when the bitmap has none.
    platform::Surface* surfaceFor(const CGuiScale& scale);

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
    void buildMask(platform::DeviceContext* destination, platform::Surface* pixels);
    void forgetScaled();

    int width_ = 0;
    int height_ = 0;
    platform::Surface* bitmap_ = nullptr;
    platform::Surface* maskHandle_ = nullptr;  // 1 where the key colour was, in the pixels drawn last
    CGuiScale maskScale_;                      // the scale the mask was made at
    platform::Surface* scaled_ = nullptr;      // the pixels at scaledScale_ when that is not 1
    CGuiScale scaledScale_;

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
