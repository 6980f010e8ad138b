// Lines, shapes, text and blits with GDI's own pixel conventions.
#include "platform/win32/handles.h"

namespace platform {

using win32::toHandle;

// Polygon takes the caller's points in place: they must be laid out as POINTs.
static_assert(sizeof(Point) == sizeof(POINT) && offsetof(Point, x) == offsetof(POINT, x) &&
              offsetof(Point, y) == offsetof(POINT, y));

void moveTo(DeviceContext* context, int x, int y) { MoveToEx(toHandle(context), x, y, nullptr); }

void lineTo(DeviceContext* context, int x, int y) { LineTo(toHandle(context), x, y); }

void drawRectangle(DeviceContext* context, const Rect& rect) {
    Rectangle(toHandle(context), rect.left, rect.top, rect.right, rect.bottom);
}

void fillRect(DeviceContext* context, const Rect& rect, Brush* brush) {
    const RECT area = win32::toRect(rect);
    FillRect(toHandle(context), &area, toHandle(brush));
}

void drawPolygon(DeviceContext* context, const Point* points, int count) {
    if (points == nullptr || count < 2) return;
    SetPolyFillMode(toHandle(context), ALTERNATE);
    Polygon(toHandle(context), reinterpret_cast<const POINT*>(points), count);
}

void drawEllipse(DeviceContext* context, const Rect& rect) {
    Ellipse(toHandle(context), rect.left, rect.top, rect.right, rect.bottom);
}

void drawArc(DeviceContext* context, const Rect& rect, Point start, Point end) {
    Arc(toHandle(context), rect.left, rect.top, rect.right, rect.bottom, start.x, start.y, end.x, end.y);
}

void drawText(DeviceContext* context, const char* text, const Rect& rect, TextAlign align) {
    if (text == nullptr) return;
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (align == TextAlign::Center) format |= DT_CENTER;
    if (align == TextAlign::Right) format |= DT_RIGHT;
    RECT area = win32::toRect(rect);
    DrawTextA(toHandle(context), text, -1, &area, format);
}

void bitBlt(DeviceContext* destination, int x, int y, int width, int height, DeviceContext* source, int sourceX,
            int sourceY, RasterOp op) {
    DWORD rop = SRCCOPY;
    switch (op) {
        case RasterOp::Copy: rop = SRCCOPY; break;
        case RasterOp::And: rop = SRCAND; break;
        case RasterOp::Or: rop = SRCPAINT; break;
        case RasterOp::NotCopy: rop = NOTSRCCOPY; break;
    }
    BitBlt(toHandle(destination), x, y, width, height, toHandle(source), sourceX, sourceY, rop);
}

}  // namespace platform
