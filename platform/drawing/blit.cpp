// Raster-op block transfers, with GDI's conversions between colour and monochrome surfaces.
#include "platform/drawing/raster.h"
#include "platform/drawing/readback.h"

#include <algorithm>
#include <utility>

namespace platform {
namespace {

constexpr Colour kWhite = 0xFFFFFF;

std::function<void(Window*)>& windowBlitHook() {
    static std::function<void(Window*)> hook;
    return hook;
}

Colour combine(RasterOp op, Colour source, Colour destination) {
    switch (op) {
    case RasterOp::Copy: return source;
    case RasterOp::And: return source & destination;
    case RasterOp::Or: return source | destination;
    case RasterOp::NotCopy: return ~source & kWhite;
    }
    return destination;
}

// A source pixel as the destination surface takes it. Colour to monochrome: white where the
// pixel is the source context's background colour. Monochrome to colour: black takes the
// destination context's text colour, white its background colour.
Colour converted(Colour pixel, const DeviceContext& source, const DeviceContext& destination) {
    const bool fromMonochrome = source.surface->monochrome, toMonochrome = destination.surface->monochrome;
    if (fromMonochrome == toMonochrome) return pixel;
    if (toMonochrome) return pixel == (source.backgroundColour & kWhite) ? kWhite : 0;
    return (pixel ? destination.backgroundColour : destination.textColour) & kWhite;
}

}  // namespace

namespace soft {

void setWindowBlitHook(std::function<void(Window*)> hook) { windowBlitHook() = std::move(hook); }

void afterWindowBlit(Window* window) {
    if (windowBlitHook()) windowBlitHook()(window);
}

}  // namespace soft

void bitBlt(DeviceContext* destination, int x, int y, int width, int height, DeviceContext* source, int sourceX,
            int sourceY, RasterOp op) {
    if (!soft::drawableContext(destination) || !soft::drawableContext(source)) return;
    // A negative size counts back from the given corner, on both sides alike.
    int64_t left = x, top = y, sourceLeft = sourceX, sourceTop = sourceY, columns = width, rows = height;
    if (columns < 0) {
        left += columns;
        sourceLeft += columns;
        columns = -columns;
    }
    if (rows < 0) {
        top += rows;
        sourceTop += rows;
        rows = -rows;
    }
    Surface& target = *destination->surface;
    const Surface& from = *source->surface;
    // Only pixels present on both surfaces take part.
    const int64_t firstColumn = std::max<int64_t>({0, -left, -sourceLeft});
    const int64_t lastColumn = std::min<int64_t>({columns, target.width - left, from.width - sourceLeft});
    const int64_t firstRow = std::max<int64_t>({0, -top, -sourceTop});
    const int64_t lastRow = std::min<int64_t>({rows, target.height - top, from.height - sourceTop});
    if (firstColumn >= lastColumn || firstRow >= lastRow) return;

    // Copy the source block first: it may overlap the destination on the same surface.
    std::vector<Colour> block;
    block.reserve(size_t((lastColumn - firstColumn) * (lastRow - firstRow)));
    for (int64_t row = firstRow; row < lastRow; ++row) {
        for (int64_t column = firstColumn; column < lastColumn; ++column)
            block.push_back(from.at(int(sourceLeft + column), int(sourceTop + row)));
    }
    target.changed.add({int32_t(left + firstColumn), int32_t(top + firstRow), int32_t(left + lastColumn),
                        int32_t(top + lastRow)});
    auto next = block.begin();
    for (int64_t row = firstRow; row < lastRow; ++row) {
        for (int64_t column = firstColumn; column < lastColumn; ++column) {
            Colour& pixel = target.at(int(left + column), int(top + row));
            pixel = combine(op, converted(*next++, *source, *destination), pixel);
        }
    }
    if (destination->kind == DeviceContext::Kind::Window) soft::afterWindowBlit(destination->window);
}

}  // namespace platform
