// Ellipses and arcs. Curves need not match GDI's pixel for pixel: each rasteriser rounds
// them its own way.
#include "platform/soft/pen_stroke.h"
#include "platform/soft/raster.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

struct CurvePixel {
    int64_t x, y;
    double turn;  // anticlockwise angle from the start direction, 0..2 pi
};

constexpr double kFullTurn = 2 * M_PI;

// The anticlockwise angle of a point seen from the box's centre, y pointing up.
double angleOf(const Rect& box, double x, double y) {
    const double centreX = (double(box.left) + box.right) / 2, centreY = (double(box.top) + box.bottom) / 2;
    return std::atan2(centreY - y, x - centreX);
}

// The pixels a pen of `penWidth` draws around the ellipse inscribed in `box`, rows and columns
// limited to the surface. A thin outline is every pixel of the filled ellipse that has a
// neighbour (left, right, above, below) outside it; a wide one the ring of that width around it.
template <class Visit>
void traceOutline(const Rect& box, int penWidth, const Surface& surface, double startAngle, Visit visit) {
    const double outerInset = penWidth == 1 ? 0 : 0.5 - penWidth / 2.0;
    const double innerInset = 0.5 + penWidth / 2.0;
    auto add = [&](int64_t y, int64_t first, int64_t last) {
        for (int64_t x = std::max<int64_t>(first, 0); x <= std::min<int64_t>(last, surface.width - 1); ++x) {
            const double turn = std::fmod(angleOf(box, x + 0.5, y + 0.5) - startAngle + 2 * kFullTurn, kFullTurn);
            visit(CurvePixel{x, y, turn});
        }
    };
    const int64_t top = std::max<int64_t>(0, int64_t(box.top) - penWidth);
    const int64_t bottom = std::min<int64_t>(surface.height, int64_t(box.bottom) + penWidth);
    for (int64_t y = top; y < bottom; ++y) {
        int64_t first, last, holeFirst = 1, holeLast = 0;
        if (!soft::ellipseRow(box, outerInset, y, first, last)) continue;
        if (penWidth == 1) {
            int64_t aboveFirst, aboveLast, belowFirst, belowLast;
            if (soft::ellipseRow(box, 0, y - 1, aboveFirst, aboveLast) &&
                soft::ellipseRow(box, 0, y + 1, belowFirst, belowLast)) {
                holeFirst = std::max({aboveFirst, belowFirst, first + 1});
                holeLast = std::min({aboveLast, belowLast, last - 1});
            }
        } else if (!soft::ellipseRow(box, innerInset, y, holeFirst, holeLast)) {
            holeFirst = 1, holeLast = 0;
        }
        if (holeFirst > holeLast) {
            add(y, first, last);
        } else {
            add(y, first, holeFirst - 1);
            add(y, holeLast + 1, last);
        }
    }
}

// Draws the outline pixels within `sweep` of the start angle. A dotted pen (always thin, so
// few pixels) takes them in anticlockwise order, so that its pattern follows the curve.
void strokeCurve(const DeviceContext& context, const Rect& box, double startAngle, double sweep) {
    soft::PenStroke stroke(context);
    const Surface& surface = *context.surface;
    if (context.pen->style != PenStyle::Dotted) {
        traceOutline(box, context.pen->width, surface, startAngle, [&](const CurvePixel& pixel) {
            if (pixel.turn <= sweep) stroke.curvePixel(pixel.x, pixel.y, 0);
        });
        return;
    }
    std::vector<CurvePixel> pixels;
    traceOutline(box, 1, surface, startAngle, [&](const CurvePixel& pixel) {
        if (pixel.turn <= sweep) pixels.push_back(pixel);
    });
    std::sort(pixels.begin(), pixels.end(), [](const CurvePixel& a, const CurvePixel& b) { return a.turn < b.turn; });
    for (size_t index = 0; index < pixels.size(); ++index) stroke.curvePixel(pixels[index].x, pixels[index].y, int64_t(index));
}

void fillEllipse(Surface& surface, const Rect& box, Colour colour) {
    for (int64_t y = std::max<int64_t>(box.top, 0); y < std::min<int64_t>(box.bottom, surface.height); ++y) {
        int64_t first, last;
        if (soft::ellipseRow(box, 0, y, first, last)) soft::fillBox(surface, first, y, last + 1, y + 1, colour);
    }
}

}  // namespace

void drawEllipse(DeviceContext* context, const Rect& rect) {
    if (!soft::drawableContext(context)) return;
    Rect box = soft::normalisedRect(rect);
    if (box.left == box.right || box.top == box.bottom) return;
    if (context->pen->null) {
        // As with the rectangle primitive: one pixel smaller on the right and bottom.
        --box.right;
        --box.bottom;
        fillEllipse(*context->surface, box, context->brush->colour);
        return;
    }
    fillEllipse(*context->surface, box, context->brush->colour);
    const double top = angleOf(box, (double(box.left) + box.right) / 2, box.top);
    strokeCurve(*context, box, top, kFullTurn);
}

void drawArc(DeviceContext* context, const Rect& rect, Point start, Point end) {
    if (!soft::drawableContext(context) || context->pen->null) return;
    const Rect box = soft::normalisedRect(rect);
    if (box.left == box.right || box.top == box.bottom) return;
    start = soft::clampPoint(start);
    end = soft::clampPoint(end);
    const double startAngle = angleOf(box, start.x + 0.5, start.y + 0.5);
    double sweep = std::fmod(angleOf(box, end.x + 0.5, end.y + 0.5) - startAngle + 2 * kFullTurn, kFullTurn);
    if (sweep == 0) sweep = kFullTurn;  // the same direction twice: the whole ellipse
    strokeCurve(*context, box, startAngle, sweep);
}

}  // namespace platform
