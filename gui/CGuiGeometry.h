// Pixel geometry of the toolkit: points and rectangles in integer pixels.
#pragma once

#include <cstdint>

struct CGuiPoint {
    int32_t h;  // horizontal
    int32_t v;  // vertical
};

// A pointer position in logical pixels with its fraction, as a scaled screen reports it.
struct CGuiPosition {
    float h;
    float v;
};

// Edges are inclusive for hit tests: a rectangle contains its right and bottom edge.
struct CGuiRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;

    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    bool contains(const CGuiPoint& point) const {
        return left <= point.h && point.h <= right && top <= point.v && point.v <= bottom;
    }
    // Touching edges count as overlap.
    bool touches(const CGuiRect& other) const {
        return !(other.right < left || other.left > right || other.bottom < top || other.top > bottom);
    }
    CGuiRect movedBy(const CGuiPoint& offset) const {
        return {left + offset.h, top + offset.v, right + offset.h, bottom + offset.v};
    }
};
