// Pens and solid brushes.
#include "platform/drawing/objects.h"

#include <new>

namespace platform {

Pen* createPen(PenStyle style, int width, Colour colour) {
    auto* pen = new (std::nothrow) Pen;
    if (!pen) return nullptr;
    // Width 0 or less is the thinnest pen, one pixel, as GDI makes it; a dotted pen exists only
    // one pixel wide, wider ones are solid.
    pen->width = width < 1 ? 1 : width;
    pen->style = pen->width == 1 && style == PenStyle::Dotted ? PenStyle::Dotted : PenStyle::Solid;
    pen->colour = colour & 0xFFFFFF;
    soft::registerObject(pen);
    return pen;
}

Pen* nullPen() { return soft::stockNullPen(); }

void deletePen(Pen* pen) {
    if (soft::isLive(pen)) soft::deleteObject(pen);
}

Brush* createSolidBrush(Colour colour) {
    auto* brush = new (std::nothrow) Brush;
    if (!brush) return nullptr;
    brush->colour = colour & 0xFFFFFF;
    soft::registerObject(brush);
    return brush;
}

void deleteBrush(Brush* brush) {
    if (soft::isLive(brush)) soft::deleteObject(brush);
}

}  // namespace platform
