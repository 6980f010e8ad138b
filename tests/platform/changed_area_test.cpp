// The changed area of a surface: what the raster operations wrote, in a few rectangles that a
// window's put sends.
#include "soft_test_support.h"

#include "platform/drawing/changed_area.h"
#include "platform/drawing/objects.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace platform;

namespace {

// The rectangles top to bottom, left to right, whatever order the area keeps them in.
std::string describe(const soft::ChangedArea& area) {
    std::vector<Rect> rects;
    for (int i = 0; i < area.count(); ++i)
        rects.push_back(area[i]);
    std::sort(rects.begin(), rects.end(),
              [](const Rect& a, const Rect& b) { return a.top != b.top ? a.top < b.top : a.left < b.left; });
    std::string text;
    for (const Rect& rect : rects)
        text += "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) +
                "," + std::to_string(rect.bottom) + ")";
    return text;
}

TEST(ChangedArea, TouchingRectanglesMergeApartOnesStayApartAndTheFifthJoinsTheOneThatGrowsLeast) {
    soft::ChangedArea area;
    area.add({5, 5, 5, 9});  // empty
    EXPECT_TRUE(area.empty());
    area.add({0, 0, 10, 10});
    area.add({10, 2, 20, 4});  // shares the edge at column 10
    area.add({3, 3, 4, 4});    // inside
    EXPECT_EQ(describe(area), "(0,0,20,10)");
    area.add({30, 0, 40, 10});
    area.add({0, 30, 10, 40});
    area.add({30, 30, 40, 40});
    EXPECT_EQ(area.count(), 4);
    area.add({41, 35, 45, 45});  // one column right of the last: it grows least by taking it
    EXPECT_EQ(describe(area), "(0,0,20,10)(30,0,40,10)(0,30,10,40)(30,30,45,45)");
    area.add({15, 5, 35, 8});  // bridges the first two, which then make one
    EXPECT_EQ(describe(area), "(0,0,40,10)(0,30,10,40)(30,30,45,45)");
    EXPECT_EQ(area.bounds().right, 45);
    area.clear();
    EXPECT_TRUE(area.empty());
}

class SurfaceChanges : public SoftDesktopTest {};

TEST_F(SurfaceChanges, RasterOperationsMarkWhatTheyWroteClippedToTheSurface) {
    Canvas canvas(40, 30);
    soft::ChangedArea& changed = canvas.surface()->changed;
    changed.clear();

    Brush* brush = createSolidBrush(kBlue);
    fillRect(canvas.context(), {-5, -5, 4, 3}, brush);
    deleteBrush(brush);
    EXPECT_EQ(describe(changed), "(0,0,4,3)");
    changed.clear();

    moveTo(canvas.context(), 20, 10);
    lineTo(canvas.context(), 25, 10);  // the end pixel is left out
    EXPECT_EQ(describe(changed), "(20,10,25,11)");
    changed.clear();

    Canvas source(8, 8);
    bitBlt(canvas.context(), 36, 26, 8, 8, source.context(), 0, 0, RasterOp::Copy);
    EXPECT_EQ(describe(changed), "(36,26,40,30)");
    EXPECT_TRUE(source.surface()->changed.count() <= 1) << "reading marks nothing beyond the source's own fill";
    changed.clear();

    bitBlt(canvas.context(), 50, 50, 8, 8, source.context(), 0, 0, RasterOp::Copy);  // off the surface
    EXPECT_TRUE(changed.empty());
}

}  // namespace
