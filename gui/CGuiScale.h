// The one mapping between the toolkit's logical pixels (the 100 % editor: layouts, controls'
// rectangles and every algorithm work in them) and the device pixels of a window at a screen
// scale. At 1 it is the identity, so nothing changes at 100 %.
#pragma once

#include <cmath>
#include <cstdint>

#include "gui/CGuiGeometry.h"
#include "platform/platform.h"

class CGuiScale {
public:
    static constexpr float kSmallest = 1.0f;
    static constexpr float kLargest = 3.0f;

    // Factors outside 1..3 (and NaN) are held to the range.
    explicit CGuiScale(float factor = 1.0f)
        : factor_(factor >= kSmallest ? (factor <= kLargest ? factor : kLargest) : kSmallest) {}

    float factor() const { return factor_; }
    bool isIdentity() const { return factor_ == 1.0f; }
    bool operator==(const CGuiScale& other) const { return factor_ == other.factor_; }
    bool operator!=(const CGuiScale& other) const { return factor_ != other.factor_; }

    // A logical coordinate or length in device pixels, rounded to the nearest.
    int32_t toDevice(int32_t logical) const {
        return isIdentity() ? logical : static_cast<int32_t>(std::lround(static_cast<double>(logical) * factor_));
    }
    platform::Point toDevice(const CGuiPoint& point) const { return {toDevice(point.h), toDevice(point.v)}; }
    // The corner maps like a point; the size like a length, so that an image drawn into a
    // rectangle has the same device size wherever the rectangle lies.
    platform::Rect toDevice(const CGuiRect& rect) const {
        const int32_t left = toDevice(rect.left), top = toDevice(rect.top);
        return {left, top, left + toDevice(rect.width()), top + toDevice(rect.height())};
    }

    // A device coordinate in logical pixels, with the fraction: a drag may move by less than one.
    float toLogical(int32_t device) const { return isIdentity() ? static_cast<float>(device) : device / factor_; }
    // The logical pixel a device pixel lies in.
    int32_t logicalPixel(int32_t device) const {
        return isIdentity() ? device : static_cast<int32_t>(std::floor(device / static_cast<double>(factor_)));
    }
    // The logical rectangle that covers a device rectangle.
    CGuiRect covering(const platform::Rect& rect) const {
        if (isIdentity())
            return {rect.left, rect.top, rect.right, rect.bottom};
        return {logicalPixel(rect.left), logicalPixel(rect.top),
                static_cast<int32_t>(std::ceil(rect.right / static_cast<double>(factor_))),
                static_cast<int32_t>(std::ceil(rect.bottom / static_cast<double>(factor_)))};
    }

private:
    float factor_;
};
