#include "platform/x11/painter.h"

#include "platform/drawing/text.h"

#include <map>

namespace platform::x11 {

Painter::Painter(Window* window, int fontPixels) : window_(window), context_(windowContext(window)) {
    if (context_) {
        selectFont(context_, font(fontPixels));
        setBackgroundOpaque(context_, false);
    }
}

Painter::~Painter() {
    if (context_) releaseWindowContext(window_, context_);
}

void Painter::fill(const Rect& rect, Colour colour) {
    if (!context_) return;
    Brush* brush = createSolidBrush(colour);
    fillRect(context_, rect, brush);
    deleteBrush(brush);
}

void Painter::line(Point from, Point to, Colour colour, int width) {
    if (!context_) return;
    Pen* pen = createPen(PenStyle::Solid, width, colour);
    Pen* previous = selectPen(context_, pen);
    moveTo(context_, from.x, from.y);
    lineTo(context_, to.x, to.y);
    selectPen(context_, previous);
    deletePen(pen);
}

void Painter::frame(const Rect& rect, Colour colour) {
    fill({rect.left, rect.top, rect.right, rect.top + 1}, colour);
    fill({rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
    fill({rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
    fill({rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
}

void Painter::text(const char* text, const Rect& rect, Colour colour, TextAlign align) {
    if (!context_) return;
    setTextColour(context_, colour);
    drawText(context_, text, rect, align);
}

Font* Painter::font(int pixels) {
    // Made once per size and kept: the process keeps its loaded faces anyway, and a screen
    // scale gives only a few sizes. The table is never destroyed, so the fonts stay reachable
    // until the process ends, as they were made to.
    static std::map<int, Font*>& sizes = *new std::map<int, Font*>;
    Font*& sans = sizes[pixels];
    if (!sans) sans = createFont({-pixels, 400, false, false, kPitchVariableSwiss, "Arial"});
    return sans;
}

int Painter::textWidth(const char* text, int fontPixels) { return soft::measureText(font(fontPixels), text); }

}  // namespace platform::x11
