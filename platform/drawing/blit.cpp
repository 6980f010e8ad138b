// Raster-op block transfers, with GDI's conversions between colour and monochrome surfaces.
#include "platform/drawing/raster.h"
#include "platform/drawing/readback.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace platform {
namespace {

constexpr Colour kWhite = 0xFFFFFF;

std::function<void(Window*)>& windowBlitHook() {
    static std::function<void(Window*)> hook;
    return hook;
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

    target.changed.add({int32_t(left + firstColumn), int32_t(top + firstRow), int32_t(left + lastColumn),
                        int32_t(top + lastRow)});
    const size_t span = size_t(lastColumn - firstColumn);
    auto sourceRow = [&](int64_t row) { return &from.pixels[size_t(sourceTop + row) * from.width + size_t(sourceLeft + firstColumn)]; };
    auto targetRow = [&](int64_t row) { return &target.pixels[size_t(top + row) * target.width + size_t(left + firstColumn)]; };
    const bool sameKind = from.monochrome == target.monochrome;
    // A plain copy between surfaces of one kind moves whole rows; within one surface the rows are
    // taken in the order that reads each before it is overwritten.
    if (op == RasterOp::Copy && sameKind) {
        const bool upwards = &from == &target && top + firstRow > sourceTop + firstRow;
        for (int64_t i = 0; i < lastRow - firstRow; ++i) {
            const int64_t row = upwards ? lastRow - 1 - i : firstRow + i;
            std::memmove(targetRow(row), sourceRow(row), span * sizeof(Colour));
        }
    } else {
        // Otherwise the source block is copied first when it may overlap the destination.
        std::vector<Colour> block;
        const bool overlapping = &from == &target;
        if (overlapping) {
            block.reserve(span * size_t(lastRow - firstRow));
            for (int64_t row = firstRow; row < lastRow; ++row)
                block.insert(block.end(), sourceRow(row), sourceRow(row) + span);
        }
        // Each operation and conversion gets a loop of its own: these blits make every keyed draw.
        auto blend = [&](auto operation, auto convert) {
            for (int64_t row = firstRow; row < lastRow; ++row) {
                const Colour* in = overlapping ? &block[size_t(row - firstRow) * span] : sourceRow(row);
                Colour* out = targetRow(row);
                for (size_t column = 0; column < span; ++column)
                    out[column] = operation(convert(in[column]), out[column]);
            }
        };
        auto withOperation = [&](auto convert) {
            switch (op) {
            case RasterOp::Copy: blend([](Colour in, Colour) { return in; }, convert); break;
            case RasterOp::And: blend([](Colour in, Colour out) { return in & out; }, convert); break;
            case RasterOp::Or: blend([](Colour in, Colour out) { return in | out; }, convert); break;
            case RasterOp::NotCopy: blend([](Colour in, Colour) { return ~in & kWhite; }, convert); break;
            }
        };
        if (sameKind)
            withOperation([](Colour pixel) { return pixel; });
        else
            withOperation([&](Colour pixel) { return converted(pixel, *source, *destination); });
    }
    if (destination->kind == DeviceContext::Kind::Window) soft::afterWindowBlit(destination->window);
}

}  // namespace platform
