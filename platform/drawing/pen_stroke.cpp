#include "platform/drawing/pen_stroke.h"

#include "platform/drawing/raster.h"

#include <algorithm>
#include <cstdlib>

namespace platform::soft {
namespace {

constexpr int64_t kDotLength = 3;

}  // namespace

PenStroke::PenStroke(const DeviceContext& context)
    : context(context), pen(*context.pen), surface(*context.surface) {}

void PenStroke::pixel(int64_t x, int64_t y, int64_t index) {
    if (pen.style != PenStyle::Dotted || index % (2 * kDotLength) < kDotLength) {
        plot(surface, x, y, pen.colour);
    } else if (context.backgroundOpaque) {
        plot(surface, x, y, context.backgroundColour);
    }
}

void PenStroke::line(Point from, Point to) {
    if (pen.null) return;
    if (pen.width > 1) {
        fillThickLine(surface, from, to, pen.width, pen.colour);
        return;
    }
    const int64_t start = patternPosition;
    traceLine(from, to, surface.width, surface.height,
              [&](int64_t x, int64_t y, int64_t index) { pixel(x, y, start + index); });
    patternPosition += std::max(std::llabs(int64_t(to.x) - from.x), std::llabs(int64_t(to.y) - from.y));
}

void PenStroke::curvePixel(int64_t x, int64_t y, int64_t index) {
    if (!pen.null) pixel(x, y, index);
}

}  // namespace platform::soft
