// Pixel-level rasterising on surfaces, with GDI's rules for which pixels a figure covers.
// Everything is clipped to the surface: nothing is ever written outside its memory.
#pragma once

#include "platform/drawing/objects.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace platform::soft {

// Coordinates beyond the range GDI itself accepts (27 bits) are brought to its edge, which
// keeps every intermediate product of the rasterisers inside 64 bits.
int32_t clampCoordinate(int64_t value);
Point clampPoint(Point point);
Rect normalisedRect(const Rect& rect);  // clamped, left <= right and top <= bottom

void plot(Surface& surface, int64_t x, int64_t y, Colour colour);
// Covers columns left..right-1 and rows top..bottom-1.
void fillBox(Surface& surface, int64_t left, int64_t top, int64_t right, int64_t bottom, Colour colour);

// Visits the pixels of the line from `from` to `to`, end pixel left out, in drawing order:
// visit(x, y, index) with index counting from 0 at `from`. Only pixels whose column and row
// can lie on a surface of the given size are visited, however long the line.
void traceLine(Point from, Point to, int width, int height, const std::function<void(int64_t, int64_t, int64_t)>& visit);

// A line `thickness` pixels wide with round ends: every pixel whose centre lies within
// thickness / 2 of the segment between the centres of the end pixels.
void fillThickLine(Surface& surface, Point from, Point to, int thickness, Colour colour);

// Even-odd (alternate) fill: a pixel is inside when its top-left corner point is, with left
// and top edges included and right and bottom edges left out.
void fillPolygon(Surface& surface, const std::vector<Point>& points, Colour colour);

// The outline pixels of the ellipse in the box of columns left..right-1 and rows top..bottom-1,
// anticlockwise from the middle of the right side, as GDI steps them (the integer ellipse
// algorithm by Alois Zingl). Each point comes with its direction from the centre (y down),
// measured in its quadrant as GDI measures it when it cuts arcs. Boxes wider or higher than
// kLargestEllipse give none.
constexpr int64_t kLargestEllipse = int64_t(1) << 16;
struct EllipsePoint {
    Point at;
    Point direction;
};
std::vector<EllipsePoint> ellipseOutline(const Rect& box);

}  // namespace platform::soft
