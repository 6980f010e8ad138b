// Drawing the lines of one figure with a context's pen.
#pragma once

#include "platform/drawing/objects.h"

#include <cstdint>

namespace platform::soft {

class PenStroke {
public:
    // `context` must have a surface.
    explicit PenStroke(const DeviceContext& context);

    bool draws() const { return !pen.null; }
    // One pixel thin pens leave out the end pixel; a dotted pen's pattern (3 on, 3 off) runs on
    // from line to line of the figure, its gaps in the background colour when that is opaque.
    void line(Point from, Point to);
    // The `index`th pixel of a curve drawn by this pen.
    void curvePixel(int64_t x, int64_t y, int64_t index);

private:
    void pixel(int64_t x, int64_t y, int64_t index);

    const DeviceContext& context;
    const Pen& pen;
    Surface& surface;
    int64_t patternPosition = 0;
};

}  // namespace platform::soft
