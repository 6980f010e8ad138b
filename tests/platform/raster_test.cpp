// Which pixels lines, rectangles, polygons and curves cover. The expected pictures were
// recorded from GDI (as Wine draws them) with the same calls.
#include "soft_test_support.h"

#include <climits>

using namespace platform;

namespace {

class Raster : public SoftDesktopTest {};

std::string lineFrom(Point from, Point to) {
    Canvas canvas(12, 8);
    moveTo(canvas.context(), from.x, from.y);
    lineTo(canvas.context(), to.x, to.y);
    return canvas.picture();
}

TEST_F(Raster, LinesLeaveOutTheEndPixelAndBreakTiesTowardsTheirStart) {
    EXPECT_EQ(lineFrom({1, 1}, {9, 5}), rows({"............", ".##.........", "...##.......", ".....##.....",
                                              ".......##...", "............", "............", "............"}));
    EXPECT_EQ(lineFrom({9, 5}, {1, 1}), rows({"............", "..#.........", "...##.......", ".....##.....",
                                              ".......##...", ".........#..", "............", "............"}));
    EXPECT_EQ(lineFrom({1, 6}, {9, 2}), rows({"............", "............", "........#...", "......##....",
                                              "....##......", "..##........", ".#..........", "............"}));
    EXPECT_EQ(lineFrom({9, 2}, {1, 6}), rows({"............", "............", "........##..", "......##....",
                                              "....##......", "..##........", "............", "............"}));
}

TEST_F(Raster, SteepLinesStepAlongTheirRows) {
    EXPECT_EQ(lineFrom({2, 0}, {5, 7}), rows({"..#.........", "..#.........", "...#........", "...#........",
                                              "....#.......", "....#.......", ".....#......", "............"}));
    EXPECT_EQ(lineFrom({5, 7}, {2, 0}), rows({"............", "..#.........", "...#........", "...#........",
                                              "....#.......", "....#.......", ".....#......", ".....#......"}));
}

TEST_F(Raster, LineToMovesThePenAndAZeroLengthLineDrawsNothing) {
    Canvas canvas(12, 8);
    moveTo(canvas.context(), 3, 3);
    lineTo(canvas.context(), 3, 3);
    EXPECT_EQ(canvas.inkCount(), 0);
    lineTo(canvas.context(), 6, 3);
    lineTo(canvas.context(), 6, 5);  // continues from (6, 3)
    EXPECT_EQ(canvas.picture(), rows({"............", "............", "............", "...####.....", "......#.....",
                                      "............", "............", "............"}));
}

// A line entering the surface from far away covers the same pixels as the same line drawn
// whole, so the jump to the first visible step is exact.
TEST_F(Raster, ClippedLinesKeepTheirPixels) {
    const int size = 48, shift = 600;
    // Starts up to `shift` away from the surface, ends anywhere.
    const Point ends[][2] = {{{-shift, 5}, {size + 1200, 40}},  {{size + 500, 44}, {-5000, 2}},
                             {{7, -shift}, {30, size + 1300}},  {{40, size + 550}, {3, -4000}},
                             {{-shift, -shift + 17}, {size + 700, size + 700}}};
    for (const auto& end : ends) {
        Canvas clipped(size, size);
        moveTo(clipped.context(), end[0].x, end[0].y);
        lineTo(clipped.context(), end[1].x, end[1].y);
        // The same line shifted so that it starts on the reference surface.
        const int whole = 2 * shift + 2 * size;
        Canvas reference(whole, whole);
        moveTo(reference.context(), end[0].x + shift, end[0].y + shift);
        lineTo(reference.context(), end[1].x + shift, end[1].y + shift);
        int differences = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) differences += clipped.pixel(x, y) != reference.pixel(x + shift, y + shift);
        EXPECT_EQ(differences, 0) << "line from " << end[0].x << "," << end[0].y;
        EXPECT_GT(clipped.inkCount(), 0);
    }
}

TEST_F(Raster, FillRectanglePrimitiveAndOutlineOfTheSameRect) {
    Canvas filled(12, 8), primitive(12, 8), nullPen(12, 8), outline(12, 8);
    Brush* red = createSolidBrush(kRed);
    fillRect(filled.context(), {2, 1, 9, 6}, red);
    deleteBrush(red);
    drawRectangle(primitive.context(), {2, 1, 9, 6});
    nullPen.useNullPen();
    drawRectangle(nullPen.context(), {2, 1, 9, 6});
    moveTo(outline.context(), 2, 1);
    for (Point corner : {Point{9, 1}, Point{9, 6}, Point{2, 6}, Point{2, 1}}) lineTo(outline.context(), corner.x, corner.y);

    EXPECT_EQ(filled.picture(), rows({"............", "..rrrrrrr...", "..rrrrrrr...", "..rrrrrrr...", "..rrrrrrr...",
                                      "..rrrrrrr...", "............", "............"}));
    EXPECT_EQ(primitive.picture(), rows({"............", "..#######...", "..#rrrrr#...", "..#rrrrr#...",
                                         "..#rrrrr#...", "..#######...", "............", "............"}));
    EXPECT_EQ(nullPen.picture(), rows({"............", "..rrrrrr....", "..rrrrrr....", "..rrrrrr....", "..rrrrrr....",
                                       "............", "............", "............"}));
    EXPECT_EQ(outline.picture(), rows({"............", "..########..", "..#......#..", "..#......#..", "..#......#..",
                                       "..#......#..", "..########..", "............"}));
}

TEST_F(Raster, ReversedRectanglesAreNormalisedAndEmptyOnesDrawNothing) {
    Canvas forwards(12, 8), backwards(12, 8), empty(12, 8);
    drawRectangle(forwards.context(), {2, 1, 9, 6});
    drawRectangle(backwards.context(), {9, 6, 2, 1});
    drawRectangle(empty.context(), {4, 1, 4, 6});
    EXPECT_EQ(backwards.picture(), forwards.picture());
    EXPECT_EQ(empty.inkCount(), 0);
}

TEST_F(Raster, DottedPenDrawsThreeOnThreeOffWithOpaqueGaps) {
    Canvas canvas(14, 5);
    canvas.usePen(PenStyle::Dotted, 1, kBlack);
    moveTo(canvas.context(), 0, 1);
    lineTo(canvas.context(), 14, 1);
    setBackgroundOpaque(canvas.context(), true);
    moveTo(canvas.context(), 0, 3);
    lineTo(canvas.context(), 14, 3);
    EXPECT_EQ(canvas.picture(), rows({"..............", "###...###...##", "..............", "###ggg###ggg##", ".............."}));
}

TEST_F(Raster, DottedPatternRunsRoundTheRectangleFromItsTopRightCorner) {
    Canvas canvas(12, 8);
    canvas.usePen(PenStyle::Dotted, 1, kBlack);
    drawRectangle(canvas.context(), {1, 1, 11, 7});
    EXPECT_EQ(canvas.picture(), rows({"............", "..###...###.", "..rrrrrrrr..", "..rrrrrrrr#.", ".#rrrrrrrr#.",
                                      ".#rrrrrrrr#.", ".#...###....", "............"}));
}

TEST_F(Raster, PolygonsFillWithTheAlternateRuleLeavingOutRightAndBottomEdges) {
    Canvas star(17, 16), triangle(12, 8), square(12, 8);
    const Point starPoints[] = {{8, 0}, {13, 15}, {0, 5}, {16, 5}, {3, 15}};
    const Point trianglePoints[] = {{1, 1}, {10, 2}, {4, 7}};
    const Point squarePoints[] = {{2, 1}, {9, 1}, {9, 6}, {2, 6}};
    for (Canvas* canvas : {&star, &triangle, &square}) canvas->useNullPen();
    drawPolygon(star.context(), starPoints, 5);
    drawPolygon(triangle.context(), trianglePoints, 3);
    drawPolygon(square.context(), squarePoints, 4);
    EXPECT_EQ(star.picture(), rows({".................", "........r........", "........r........", ".......rr........",
                                    ".......rrr.......", "rrrrrrr...rrrrrr.", "..rrrr....rrrrr..", "...rrr.....rrr...",
                                    "....rr.....rr....", ".....r...........", ".....rr...rr.....", ".....rrr.rrr.....",
                                    "....rrr...rr.....", "....rr.....rr....", "....r.......r....", "................."}));
    EXPECT_EQ(triangle.picture(), rows({"............", "............", "..rrrrrrrr..", "..rrrrrrr...", "...rrrrr....",
                                        "...rrrr.....", "....rr......", "............"}));
    EXPECT_EQ(square.picture(), rows({"............", "..rrrrrrr...", "..rrrrrrr...", "..rrrrrrr...", "..rrrrrrr...",
                                      "..rrrrrrr...", "............", "............"}));
}

TEST_F(Raster, PolygonWithAPenOutlinesItsClosedPath) {
    Canvas canvas(12, 8);
    const Point corners[] = {{2, 1}, {9, 1}, {9, 6}, {2, 6}};
    drawPolygon(canvas.context(), corners, 4);
    EXPECT_EQ(canvas.picture(), rows({"............", "..########..", "..#rrrrrr#..", "..#rrrrrr#..", "..#rrrrrr#..",
                                      "..#rrrrrr#..", "..########..", "............"}));
}

TEST_F(Raster, EllipsesFillTheSameShapeWithOrWithoutAPen) {
    Canvas outlined(12, 8), filled(12, 8);
    drawEllipse(outlined.context(), {1, 1, 11, 7});
    filled.useNullPen();
    drawEllipse(filled.context(), {1, 1, 11, 7});
    EXPECT_EQ(outlined.picture(), rows({"............", "...######...", "..#rrrrrr#..", ".#rrrrrrrr#.", ".#rrrrrrrr#.",
                                        "..#rrrrrr#..", "...######...", "............"}));
    EXPECT_EQ(filled.picture(), rows({"............", "...rrrrrr...", "..rrrrrrrr..", ".rrrrrrrrrr.", ".rrrrrrrrrr.",
                                      "..rrrrrrrr..", "...rrrrrr...", "............"}));
}

TEST_F(Raster, ArcsRunAnticlockwiseFromStartToEnd) {
    Canvas upper(14, 8), lower(14, 14), whole(14, 14), outline(14, 14);
    drawArc(upper.context(), {1, 1, 13, 13}, {13, 1}, {1, 1});
    EXPECT_EQ(upper.picture(), rows({"..............", ".....####.....", "....#....##...", "..............",
                                     "..............", "..............", "..............", ".............."}));
    // The lower half (start and end swapped) stays out of the upper rows.
    drawArc(lower.context(), {1, 1, 13, 13}, {1, 1}, {13, 1});
    for (int x = 0; x < 14; ++x) EXPECT_EQ(lower.pixel(x, 1), kWhite);
    EXPECT_GT(lower.inkCount(), upper.inkCount());
    // The same direction twice is the whole outline of the ellipse but for its last step.
    drawArc(whole.context(), {1, 1, 13, 13}, {7, 1}, {7, 1});
    drawEllipse(outline.context(), {1, 1, 13, 13});
    int outlinePixels = 0, arcPixelsOnTheOutline = 0;
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 14; ++x) {
            outlinePixels += outline.pixel(x, y) == kBlack;
            arcPixelsOnTheOutline += whole.pixel(x, y) == kBlack && outline.pixel(x, y) == kBlack;
        }
    }
    EXPECT_EQ(whole.inkCount(), outlinePixels - 1);
    EXPECT_EQ(arcPixelsOnTheOutline, outlinePixels - 1);
}

TEST_F(Raster, TinyEllipsesAreRectangles) {
    Canvas ellipse(8, 8), rectangle(8, 8);
    drawEllipse(ellipse.context(), {1, 1, 6, 3});
    drawRectangle(rectangle.context(), {1, 1, 6, 3});
    EXPECT_EQ(ellipse.picture(), rectangle.picture());
}

TEST_F(Raster, WidePensCoverTheirWidthAroundThePath) {
    Canvas canvas(24, 12);
    canvas.usePen(PenStyle::Solid, 3, kBlue);
    moveTo(canvas.context(), 5, 5);
    lineTo(canvas.context(), 15, 5);
    // Rows 4..6, and round ends one pixel beyond each end.
    EXPECT_EQ(canvas.inkCount(), 3 * 13);
    for (int y = 4; y <= 6; ++y) {
        EXPECT_EQ(canvas.pixel(4, y), kBlue);
        EXPECT_EQ(canvas.pixel(16, y), kBlue);
        EXPECT_EQ(canvas.pixel(17, y), kWhite);
    }
}

TEST_F(Raster, AnyCoordinatesAreDrawnSafely) {
    Canvas canvas(16, 16);
    DeviceContext* context = canvas.context();
    const Rect huge{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    moveTo(context, INT_MIN, INT_MIN);
    lineTo(context, INT_MAX, INT_MAX);
    drawEllipse(context, huge);
    drawArc(context, huge, {INT_MIN, 0}, {INT_MAX, 0});
    const Point corners[] = {{INT_MIN, INT_MIN}, {INT_MAX, 3}, {5, INT_MAX}};
    drawPolygon(context, corners, 3);
    drawPolygon(context, nullptr, 3);
    drawPolygon(context, corners, -1);
    drawRectangle(context, huge);
    // The rectangle covers the canvas: outline far outside, inside everywhere.
    EXPECT_EQ(canvas.pixel(0, 0), kRed);
    EXPECT_EQ(canvas.pixel(15, 15), kRed);
    Brush* blue = createSolidBrush(kBlue);
    fillRect(context, {8, 8, INT_MAX, INT_MAX}, blue);
    deleteBrush(blue);
    EXPECT_EQ(canvas.pixel(15, 15), kBlue);
    EXPECT_EQ(canvas.pixel(7, 15), kRed);
}

TEST_F(Raster, MonochromeSurfacesTakeTheNearerOfBlackAndWhite) {
    DeviceContext* context = createMemoryContext(nullptr);
    Surface* mask = createMonochromeSurface(4, 1);
    selectSurface(context, mask);
    Brush* light = createSolidBrush(makeColour(200, 200, 120));
    Brush* dark = createSolidBrush(makeColour(255, 100, 20));
    fillRect(context, {0, 0, 2, 1}, light);
    fillRect(context, {2, 0, 4, 1}, dark);
    EXPECT_EQ(soft::surfacePixel(mask, 1, 0), kWhite);
    EXPECT_EQ(soft::surfacePixel(mask, 2, 0), kBlack);
    deleteMemoryContext(context);
    deleteSurface(mask);
    deleteBrush(light);
    deleteBrush(dark);
}

}  // namespace
