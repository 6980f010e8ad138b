#include "platform/drawing/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace platform::soft {
namespace {

constexpr int64_t kCoordinateLimit = (int64_t(1) << 27) - 1;

// Rounds towards plus infinity; `denominator` > 0.
int64_t ceilDivide(int64_t numerator, int64_t denominator) {
    const int64_t quotient = numerator / denominator;
    return quotient + (numerator % denominator > 0 ? 1 : 0);
}

// The octants whose lines step on a tie, so that a line and its reverse cover the same
// pixels: GDI's Bresenham bias.
bool octantTakesBias(int64_t dx, int64_t dy) {
    int octant;
    if (dy > 0) {
        octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
    } else {
        octant = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
    }
    return octant == 3 || octant == 5 || octant == 6 || octant == 8;
}

struct Edge {
    int64_t topX, topY, bottomY;  // the edge covers rows topY..bottomY-1
    int64_t dx, dy;               // dy > 0
};

}  // namespace

int32_t clampCoordinate(int64_t value) {
    return static_cast<int32_t>(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
}

Point clampPoint(Point point) { return {clampCoordinate(point.x), clampCoordinate(point.y)}; }

Rect normalisedRect(const Rect& rect) {
    Rect clamped{clampCoordinate(rect.left), clampCoordinate(rect.top), clampCoordinate(rect.right),
                 clampCoordinate(rect.bottom)};
    if (clamped.left > clamped.right) std::swap(clamped.left, clamped.right);
    if (clamped.top > clamped.bottom) std::swap(clamped.top, clamped.bottom);
    return clamped;
}

void plot(Surface& surface, int64_t x, int64_t y, Colour colour) {
    if (x >= 0 && y >= 0 && x < surface.width && y < surface.height) {
        surface.at(int(x), int(y)) = surface.representable(colour);
        surface.changed.add({int32_t(x), int32_t(y), int32_t(x + 1), int32_t(y + 1)});
    }
}

void fillBox(Surface& surface, int64_t left, int64_t top, int64_t right, int64_t bottom, Colour colour) {
    left = std::max<int64_t>(left, 0);
    top = std::max<int64_t>(top, 0);
    right = std::min<int64_t>(right, surface.width);
    bottom = std::min<int64_t>(bottom, surface.height);
    if (left >= right || top >= bottom) return;
    surface.changed.add({int32_t(left), int32_t(top), int32_t(right), int32_t(bottom)});
    const Colour value = surface.representable(colour);
    for (int64_t y = top; y < bottom; ++y) {
        Colour* row = &surface.at(0, int(y));
        std::fill(row + left, row + right, value);
    }
}

void traceLine(Point from, Point to, int width, int height, const std::function<void(int64_t, int64_t, int64_t)>& visit) {
    const int64_t dx = int64_t(to.x) - from.x;
    const int64_t dy = int64_t(to.y) - from.y;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const int64_t major = xMajor ? std::llabs(dx) : std::llabs(dy);
    const int64_t minor = xMajor ? std::llabs(dy) : std::llabs(dx);
    if (major == 0) return;
    const int64_t bias = octantTakesBias(dx, dy) ? 1 : 0;
    const int64_t majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int64_t minorStep = (xMajor ? dy : dx) > 0 ? 1 : -1;
    const int64_t majorStart = xMajor ? from.x : from.y;
    const int64_t minorStart = xMajor ? from.y : from.x;
    const int64_t majorSize = xMajor ? width : height;

    // Only the steps whose major coordinate lies on the surface are walked.
    int64_t first, last;
    if (majorStep > 0) {
        first = std::max<int64_t>(0, -majorStart);
        last = std::min(major - 1, majorSize - 1 - majorStart);
    } else {
        first = std::max<int64_t>(0, majorStart - (majorSize - 1));
        last = std::min(major - 1, majorStart);
    }
    if (first > last) return;
    // The minor steps taken before step `first`, and the error term there, in closed form.
    int64_t minorSteps = std::max<int64_t>(0, ceilDivide(2 * minor * first - major + bias, 2 * major));
    int64_t error = 2 * minor - major + 2 * minor * first - 2 * major * minorSteps;
    for (int64_t step = first; step <= last; ++step) {
        const int64_t majorAt = majorStart + majorStep * step;
        const int64_t minorAt = minorStart + minorStep * minorSteps;
        if (xMajor) visit(majorAt, minorAt, step);
        else visit(minorAt, majorAt, step);
        if (error + bias > 0) {
            ++minorSteps;
            error += 2 * minor - 2 * major;
        } else {
            error += 2 * minor;
        }
    }
}

void fillThickLine(Surface& surface, Point from, Point to, int thickness, Colour colour) {
    const double radius = thickness / 2.0;
    const double x0 = from.x + 0.5, y0 = from.y + 0.5, x1 = to.x + 0.5, y1 = to.y + 0.5;
    const double ex = x1 - x0, ey = y1 - y0;
    const double length = std::sqrt(ex * ex + ey * ey);
    const int64_t top = std::max<int64_t>(0, int64_t(std::floor(std::min(y0, y1) - radius)));
    const int64_t bottom = std::min<int64_t>(surface.height - 1, int64_t(std::ceil(std::max(y0, y1) + radius)));
    constexpr double kAll = std::numeric_limits<double>::infinity();
    for (int64_t y = top; y <= bottom; ++y) {
        const double centreY = y + 0.5;
        double low = kAll, high = -kAll;
        auto unite = [&](double from, double to) {
            if (from > to) return;
            low = std::min(low, from);
            high = std::max(high, to);
        };
        // The round ends.
        for (const auto& [cx, cy] : {std::pair{x0, y0}, std::pair{x1, y1}}) {
            const double offset = centreY - cy;
            if (std::fabs(offset) <= radius) {
                const double half = std::sqrt(radius * radius - offset * offset);
                unite(cx - half, cx + half);
            }
        }
        // The band along the segment: projection within it, distance from it at most the radius.
        if (length > 0) {
            double alongLow = -kAll, alongHigh = kAll, acrossLow = -kAll, acrossHigh = kAll;
            const double rise = centreY - y0;
            if (ex != 0) {
                const double a = x0 - rise * ey / ex, b = x0 + (length * length - rise * ey) / ex;
                alongLow = std::min(a, b);
                alongHigh = std::max(a, b);
            } else if (rise * ey < 0 || rise * ey > length * length) {
                alongLow = kAll;
            }
            if (ey != 0) {
                const double a = x0 + (rise * ex - radius * length) / ey, b = x0 + (rise * ex + radius * length) / ey;
                acrossLow = std::min(a, b);
                acrossHigh = std::max(a, b);
            } else if (std::fabs(rise * ex) > radius * length) {
                acrossLow = kAll;
            }
            unite(std::max(alongLow, acrossLow), std::min(alongHigh, acrossHigh));
        }
        if (low > high) continue;
        const double firstColumn = std::ceil(low - 0.5), lastColumn = std::floor(high - 0.5);
        if (firstColumn > lastColumn) continue;
        fillBox(surface, int64_t(firstColumn), y, int64_t(lastColumn) + 1, y + 1, colour);
    }
}

void fillPolygon(Surface& surface, const std::vector<Point>& points, Colour colour) {
    std::vector<Edge> edges;
    int64_t top = std::numeric_limits<int64_t>::max(), bottom = std::numeric_limits<int64_t>::min();
    for (size_t i = 0; i < points.size(); ++i) {
        const Point a = points[i], b = points[(i + 1) % points.size()];
        if (a.y == b.y) continue;  // horizontal edges bound no span
        const Point upper = a.y < b.y ? a : b, lower = a.y < b.y ? b : a;
        edges.push_back({upper.x, upper.y, lower.y, int64_t(lower.x) - upper.x, int64_t(lower.y) - upper.y});
        top = std::min<int64_t>(top, upper.y);
        bottom = std::max<int64_t>(bottom, lower.y);
    }
    if (edges.empty()) return;
    std::vector<int64_t> crossings;
    for (int64_t y = std::max<int64_t>(top, 0); y < std::min<int64_t>(bottom, surface.height); ++y) {
        crossings.clear();
        for (const Edge& edge : edges) {
            if (y < edge.topY || y >= edge.bottomY) continue;
            // The first column at or right of the edge, as GDI's edge stepping finds it.
            crossings.push_back(edge.topX + ceilDivide((y - edge.topY) * edge.dx, edge.dy));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) fillBox(surface, crossings[i], y, crossings[i + 1], y + 1, colour);
    }
}

std::vector<EllipsePoint> ellipseOutline(const Rect& box) {
    const int64_t width = int64_t(box.right) - box.left, height = int64_t(box.bottom) - box.top;
    if (width <= 0 || height <= 0 || width > kLargestEllipse || height > kLargestEllipse) return {};
    // The lower right quadrant, from the middle of the right side down to the middle of the
    // bottom, in offsets from the box's top-left corner.
    std::vector<Point> quadrant;
    const int64_t a = width - 1, b = height - 1;
    const int64_t stepX = 8 * b * b, stepY = 8 * a * a;
    int64_t dx = 4 * b * b * (1 - a), dy = 4 * a * a * (1 + b % 2);
    int64_t error = dx + dy + a * a * (b % 2);
    for (int64_t x = a, y = height / 2; x >= width / 2;) {
        quadrant.push_back({int32_t(x), int32_t(y)});
        const int64_t doubled = 2 * error;
        if (doubled >= dx) {
            --x;
            error += dx += stepX;
        }
        if (doubled <= dy) {
            ++y;
            error += dy += stepY;
        }
    }
    // The other quadrants are its mirror images; walk all four anticlockwise on the screen.
    std::vector<EllipsePoint> outline;
    auto add = [&](const Point& p, bool left, bool upper) {
        const Point at{int32_t(box.left + (left ? a - p.x : p.x)), int32_t(box.top + (upper ? b - p.y : p.y))};
        const int32_t dx = int32_t(p.x - width / 2), dy = int32_t(p.y - height / 2);
        const Point direction{left ? -dx : dx, upper ? -dy : dy};
        if (outline.empty() || outline.back().at.x != at.x || outline.back().at.y != at.y) outline.push_back({at, direction});
    };
    for (const Point& p : quadrant) add(p, false, true);
    for (auto p = quadrant.rbegin(); p != quadrant.rend(); ++p) add(*p, true, true);
    for (const Point& p : quadrant) add(p, true, false);
    for (auto p = quadrant.rbegin(); p != quadrant.rend(); ++p) add(*p, false, false);
    const Point &first = outline.front().at, &last = outline.back().at;
    if (outline.size() > 1 && first.x == last.x && first.y == last.y) outline.pop_back();
    return outline;
}

}  // namespace platform::soft
