// Ellipses and arcs, stepped as GDI steps them.
#include "platform/drawing/pen_stroke.h"
#include "platform/drawing/raster.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

constexpr double kFullTurn = 2 * M_PI;

// Anticlockwise on the screen (y down), from the start direction: 0 up to 2 pi.
double turnFrom(double startAngle, Point direction) {
    return std::fmod(std::atan2(-double(direction.y), double(direction.x)) - startAngle + 2 * kFullTurn, kFullTurn);
}

// Draws `count` outline points from `first` on with the context's pen, as a polyline through
// them: a thin pen takes every point, a wide one joins neighbours.
void strokeOutline(const DeviceContext& context, const std::vector<soft::EllipsePoint>& outline, size_t first, size_t count) {
    soft::PenStroke stroke(context);
    const Pen& pen = *context.pen;
    for (size_t i = 0; i < count; ++i) {
        const Point& point = outline[(first + i) % outline.size()].at;
        if (pen.width == 1) {
            stroke.curvePixel(point.x, point.y, int64_t(i));
        } else {
            const Point& next = i + 1 < count ? outline[(first + i + 1) % outline.size()].at : point;
            soft::fillThickLine(*context.surface, point, next, pen.width, pen.colour);
        }
    }
}

}  // namespace

void drawEllipse(DeviceContext* context, const Rect& rect) {
    if (!soft::drawableContext(context)) return;
    const Rect box = soft::normalisedRect(rect);
    // Too small to bend: GDI draws the rectangle instead.
    if (int64_t(box.right) - box.left <= 2 || int64_t(box.bottom) - box.top <= 2) {
        drawRectangle(context, box);
        return;
    }
    const std::vector<soft::EllipsePoint> outline = soft::ellipseOutline(box);
    if (outline.empty()) return;
    // The brush fills each row between its outline points, the pen's or not; the outline goes
    // over it.
    std::vector<std::pair<int64_t, int64_t>> rows(size_t(int64_t(box.bottom) - box.top), {INT64_MAX, INT64_MIN});
    for (const soft::EllipsePoint& point : outline) {
        auto& row = rows[size_t(int64_t(point.at.y) - box.top)];
        row = {std::min<int64_t>(row.first, point.at.x), std::max<int64_t>(row.second, point.at.x)};
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        const int64_t y = box.top + int64_t(i);
        if (rows[i].first <= rows[i].second)
            soft::fillBox(*context->surface, rows[i].first, y, rows[i].second + 1, y + 1, context->brush->colour);
    }
    if (!context->pen->null) strokeOutline(*context, outline, 0, outline.size());
}

void drawArc(DeviceContext* context, const Rect& rect, Point start, Point end) {
    if (!soft::drawableContext(context) || context->pen->null) return;
    const Rect box = soft::normalisedRect(rect);
    const std::vector<soft::EllipsePoint> outline = soft::ellipseOutline(box);
    if (outline.empty()) return;
    start = soft::clampPoint(start);
    end = soft::clampPoint(end);
    const int64_t centreX = (int64_t(box.left) + box.right) / 2, centreY = (int64_t(box.top) + box.bottom) / 2;
    auto directionOf = [&](Point point) { return Point{int32_t(point.x - centreX), int32_t(point.y - centreY)}; };
    const double startAngle = turnFrom(0, directionOf(start));
    // From the first point at or past the start direction, anticlockwise through the points up
    // to the end direction, the last of them left out as a line leaves out its end; the same
    // direction twice goes all the way round.
    double sweep = turnFrom(startAngle, directionOf(end));
    if (sweep == 0) sweep = kFullTurn;
    size_t first = 0;
    for (size_t i = 0; i < outline.size(); ++i) {
        if (turnFrom(startAngle, outline[i].direction) < turnFrom(startAngle, outline[first].direction)) first = i;
    }
    size_t count = 0;
    while (count < outline.size() && turnFrom(startAngle, outline[(first + count) % outline.size()].direction) < sweep)
        ++count;
    if (count > 0) strokeOutline(*context, outline, first, count - 1);
}

}  // namespace platform
