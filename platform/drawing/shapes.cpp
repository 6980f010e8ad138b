// Lines, rectangles and polygons.
#include "platform/drawing/pen_stroke.h"
#include "platform/drawing/raster.h"

namespace platform {

using soft::drawableContext;

void moveTo(DeviceContext* context, int x, int y) {
    if (soft::isLiveContext(context)) context->position = soft::clampPoint({x, y});
}

void lineTo(DeviceContext* context, int x, int y) {
    if (!soft::isLiveContext(context)) return;
    const Point end = soft::clampPoint({x, y});
    if (drawableContext(context)) soft::PenStroke(*context).line(context->position, end);
    context->position = end;
}

void drawRectangle(DeviceContext* context, const Rect& rect) {
    if (!drawableContext(context)) return;
    const Rect box = soft::normalisedRect(rect);
    if (box.left == box.right || box.top == box.bottom) return;
    Surface& surface = *context->surface;
    soft::PenStroke stroke(*context);
    const int penWidth = stroke.draws() ? context->pen->width : 0;
    // The inside first, between the halves of the pen; a null pen leaves the right and bottom
    // edges out as well.
    soft::fillBox(surface, int64_t(box.left) + (penWidth + 1) / 2, int64_t(box.top) + (penWidth + 1) / 2,
                  int64_t(box.right) - 1 - penWidth / 2, int64_t(box.bottom) - 1 - penWidth / 2,
                  context->brush->colour);
    // The outline runs anticlockwise from the top-right corner through the last column and row.
    const Point corners[] = {{box.right - 1, box.top}, {box.left, box.top}, {box.left, box.bottom - 1},
                             {box.right - 1, box.bottom - 1}};
    for (int i = 0; i < 4; ++i) stroke.line(corners[i], corners[(i + 1) % 4]);
}

void fillRect(DeviceContext* context, const Rect& rect, Brush* brush) {
    if (!drawableContext(context) || !soft::isLive(brush)) return;
    const Rect box = soft::normalisedRect(rect);
    soft::fillBox(*context->surface, box.left, box.top, box.right, box.bottom, brush->colour);
}

void drawPolygon(DeviceContext* context, const Point* points, int count) {
    if (!drawableContext(context) || !points || count < 2) return;
    std::vector<Point> corners(points, points + count);
    for (Point& corner : corners) corner = soft::clampPoint(corner);
    soft::fillPolygon(*context->surface, corners, context->brush->colour);
    soft::PenStroke stroke(*context);
    for (size_t i = 0; i < corners.size(); ++i) stroke.line(corners[i], corners[(i + 1) % corners.size()]);
}

}  // namespace platform
