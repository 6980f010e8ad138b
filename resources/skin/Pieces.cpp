// What the painters share: finding records of the layout, and keying layers.
#include "Pieces.h"

#include <cstdio>
#include <cstdlib>

#include "Theme.h"

namespace skin {

const ControlLayout& layoutOf(int kind, int tag) {
    for (const ControlLayout& record : kEditorLayout)
        if (record.kind == kind && record.tag == tag) return record;
    std::fprintf(stderr, "make_skin: the layout has no control of kind %d for tag %d\n", kind, tag);
    std::exit(1);
}

const ControlLayout& layoutUsing(int resourceId) {
    const int32_t index = skinIndex(resourceId);
    for (const ControlLayout& record : kEditorLayout) {
        if (record.bitmap == index || record.bitmapHighlight == index || record.bitmapForeground == index ||
            record.bitmapPressed == index)
            return record;
        if (record.kind == kCtlPositionView && record.p[5] == index) return record;
    }
    std::fprintf(stderr, "make_skin: no control of the layout uses bitmap %d\n", resourceId);
    std::exit(1);
}

const ControlLayout& positionView() { return layoutOf(kCtlPositionView, -1); }

void keyLayer(const Canvas& layer, Canvas& out, int x, int y, Rgb under) {
    x *= out.scale();
    y *= out.scale();
    for (int row = 0; row < layer.pixelHeight(); ++row) {
        for (int column = 0; column < layer.pixelWidth(); ++column) {
            const uint32_t argb = layer.pixel(column, row);
            const uint32_t alpha = argb >> 24;
            if (alpha == 0) {
                out.setPixel(x + column, y + row, kKeyWhite);
                continue;
            }
            // Premultiplied: colour = layer + (1 - alpha) x under.
            const double rest = (255 - alpha) / 255.0;
            auto channel = [&](int shift, double base) {
                const double value = ((argb >> shift) & 0xff) + rest * base * 255.0;
                const int rounded = static_cast<int>(value + 0.5);
                return static_cast<uint32_t>(rounded > 255 ? 255 : rounded);
            };
            uint32_t colour = channel(16, under.r) << 16 | channel(8, under.g) << 8 | channel(0, under.b);
            if (colour == kKeyWhite) colour = 0xfefefe;  // white is the key: the brightest seen pixel is 254
            out.setPixel(x + column, y + row, colour);
        }
    }
}

}  // namespace skin
