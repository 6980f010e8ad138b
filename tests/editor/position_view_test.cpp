// The position view: the marker and the sector drawn from its linked values, the drag that sets
// azimuth and distance, and the Ctrl-click that resets all four.
#include "editor_test_support.h"

#include <cmath>
#include <limits>

#include "editor/CLinkedValue.h"
#include "editor/CPositionView.h"
#include "effect/ParameterTable.h"

namespace editor_test {
namespace {

constexpr CGuiPoint kViewOrigin = {8, 50};
constexpr CGuiPoint kCentre = {103, 145};  // frame coordinates of the disc's centre

class PositionViewTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        openEditor();
        view = dynamic_cast<CPositionView*>(control(kRowView));
        ASSERT_NE(view, nullptr);
    }
    void show(float azimuth, float distance, float elevation, float depth) {
        effect->setParameter(kAzimuthSlider, azimuth);
        effect->setParameter(kDistanceSlider, distance);
        effect->setParameter(kElevationSlider, elevation);
        effect->setParameter(kAzimuthDepthSlider, depth);
        idle();
    }
    // A pixel of the view in its own coordinates.
    platform::Colour viewPixel(int x, int y) const { return pixel(kViewOrigin.h + x, kViewOrigin.v + y); }

    CPositionView* view = nullptr;
};

TEST_F(PositionViewTest, TheMarkerSitsAtTheAzimuthAndDistanceAndGrowsWithTheElevation) {
    show(0.5f, 0.0f, 0.0f, 0.0f);  // ahead, at the inner radius, the smallest marker
    int image;
    CGuiRect marker = view->markerRect(image);
    EXPECT_EQ(image, 0);
    EXPECT_EQ(marker.left, 88);
    EXPECT_EQ(marker.top, 48);
    EXPECT_EQ(marker.right, 103);
    EXPECT_EQ(marker.bottom, 63);
    EXPECT_EQ(viewPixel(95, 55), markerColour(0));
    EXPECT_EQ(viewPixel(89, 49), markerColour(0));
    EXPECT_EQ(viewPixel(88, 48), kDiscColour) << "the key colour of the marker's edge lets the disc show";
    EXPECT_EQ(viewPixel(95, 64), kDiscColour);

    show(0.75f, 1.0f, 1.0f, 0.0f);  // right, at the outer radius, the largest marker
    marker = view->markerRect(image);
    EXPECT_EQ(image, 16);
    EXPECT_EQ(marker.left, 160);
    EXPECT_EQ(marker.top, 80);
    EXPECT_EQ(marker.right, 191);
    EXPECT_EQ(marker.bottom, 111);
    EXPECT_EQ(viewPixel(175, 95), markerColour(16));
    EXPECT_EQ(viewPixel(161, 81), markerColour(16));
    EXPECT_EQ(viewPixel(95, 55), kDiscColour) << "the old marker is gone";

    show(0.25f, 0.5f, 0.5f, 0.0f);  // left, half way, the middle image
    marker = view->markerRect(image);
    EXPECT_EQ(image, 8);
    EXPECT_EQ(viewPixel(35, 95), markerColour(8));
}

TEST_F(PositionViewTest, TheSectorSpreadsWithTheDepthAroundTheAzimuth) {
    const CGuiPoint ahead = {95, 40}, behind = {95, 150}, left = {20, 95}, right = {170, 95};
    const CGuiPoint aheadLeft = {50, 50}, corner = {2, 188};
    show(0.5f, 1.0f, 0.0f, 0.0f);
    for (CGuiPoint point : {ahead, behind, left, right, aheadLeft, corner})
        EXPECT_EQ(viewPixel(point.h, point.v), kDiscColour) << point.h << "," << point.v;

    show(0.5f, 1.0f, 0.0f, 0.25f);  // 45 degrees to each side of ahead
    EXPECT_EQ(viewPixel(ahead.h, ahead.v), kSectorColour);
    EXPECT_EQ(viewPixel(80, 30), kSectorColour);
    EXPECT_EQ(viewPixel(aheadLeft.h + 10, aheadLeft.v), kSectorColour);
    EXPECT_EQ(viewPixel(left.h, left.v), kDiscColour);
    EXPECT_EQ(viewPixel(behind.h, behind.v), kDiscColour);

    show(0.5f, 1.0f, 0.0f, 0.5f);  // half a turn: the upper half, drawn as its complement
    EXPECT_EQ(viewPixel(ahead.h, ahead.v), kSectorColour);
    EXPECT_EQ(viewPixel(10, 60), kSectorColour);
    EXPECT_EQ(viewPixel(180, 60), kSectorColour);
    EXPECT_EQ(viewPixel(behind.h, behind.v), kDiscColour);
    EXPECT_EQ(viewPixel(10, 130), kDiscColour);

    show(0.75f, 1.0f, 0.0f, 1.0f);  // all round
    for (CGuiPoint point : {ahead, behind, left, aheadLeft, corner})
        EXPECT_EQ(viewPixel(point.h, point.v), kSectorColour) << point.h << "," << point.v;
}

TEST_F(PositionViewTest, AnyFloatFromTheHostDrawsInsideTheView) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    show(nan, 5.0f, -3.0f, nan);
    int image;
    const CGuiRect marker = view->markerRect(image);
    EXPECT_EQ(image, 0);
    EXPECT_GE(marker.left, 0);
    EXPECT_LE(marker.right, 191);
    EXPECT_GE(marker.top, 0);
    EXPECT_LE(marker.bottom, 191);
    EXPECT_FALSE(view->needsRepaint());
    EXPECT_EQ(view->linkedValue(1)->currentValue(), 5.0f) << "drawing leaves the stored value";
    EXPECT_EQ(view->linkedValue(2)->currentValue(), -3.0f);
    show(1.5f, 0.5f, 2.0f, 7.0f);
    EXPECT_EQ(view->markerRect(image).bottom <= 191, true);
    EXPECT_EQ(image, 16);
}

TEST_F(PositionViewTest, ADragSetsAzimuthAndDistanceAndReportsOnlyWhatChanged) {
    drag({kCentre.h + 60, kCentre.v},  // right of the centre: azimuth 0.75, distance stays 0.5
         {{kCentre.h, kCentre.v + 100},   // straight below, far out: 0 and 1
          {kCentre.h, kCentre.v + 100},   // held still
          {kCentre.h - 30, kCentre.v}});  // left, close in: 0.25 and 0
    const std::vector<Gesture> expected = {
        begin(kAzimuthSlider),
        begin(kDistanceSlider),
        automate(kAzimuth, 0.75f),
        automate(kAzimuthSlider, 0.75f),
        automate(kAzimuth, 0.0f),
        automate(kAzimuthSlider, 0.0f),
        automate(kDistance, 1.0f),
        automate(kDistanceSlider, 1.0f),
        automate(kAzimuth, 0.25f),
        automate(kAzimuthSlider, 0.25f),
        automate(kDistance, 0.0f),
        automate(kDistanceSlider, 0.0f),
        end(kAzimuthSlider),
        end(kDistanceSlider),
    };
    EXPECT_EQ(gestures(), expected);
    EXPECT_FALSE(gMouseTracking);
    EXPECT_EQ(control(kRowAzimuthSlider)->currentValue(), 0.25f) << "the slider follows";
    EXPECT_EQ(control(kRowDistanceReadout)->currentValue(), 0.0f);
    EXPECT_FALSE(control(kRowAzimuthReadout)->needsRepaint()) << "repainted within the gesture";
    EXPECT_EQ(viewPixel(95 - 40, 95), markerColour(0)) << "the marker was painted during the drag";
}

TEST_F(PositionViewTest, BelowTheCentreTheAzimuthWrapsBetween0And1) {
    drag({kCentre.h - 1, kCentre.v + 60}, {{kCentre.h + 1, kCentre.v + 60}});
    const std::vector<Gesture> azimuths = automationOf(kAzimuthSlider);
    ASSERT_EQ(azimuths.size(), 2u);
    EXPECT_NEAR(azimuths[0].value, 0.0f, 0.01f);
    EXPECT_NEAR(azimuths[1].value, 1.0f, 0.01f);
}

TEST_F(PositionViewTest, APressOnTheCentreKeepsTheAzimuth) {
    effect->setParameter(kAzimuthSlider, 0.3f);
    drag(kCentre, {});
    EXPECT_EQ(effect->getParameter(kAzimuthSlider), 0.3f);
    EXPECT_EQ(effect->getParameter(kDistanceSlider), 0.0f) << "the centre is inside the inner radius";
    for (const Gesture& gesture : gestures())
        EXPECT_FALSE(std::isnan(gesture.value));
}

TEST_F(PositionViewTest, CtrlClickResetsTheFourValuesToTheirDefaults) {
    show(0.2f, 0.9f, 0.7f, 0.4f);
    forgetHostCalls();
    ctrlClick({kCentre.h + 50, kCentre.v});
    const std::vector<Gesture> expected = {
        automate(kAzimuth, 0.5f),         automate(kAzimuthSlider, 0.5f),
        automate(kDistance, 0.5f),        automate(kDistanceSlider, 0.5f),
        automate(kElevation, 0.0f),       automate(kElevationSlider, 0.0f),
        automate(kAzimuthDepth, 0.0f),    automate(kAzimuthDepthSlider, 0.0f),
    };
    EXPECT_EQ(gestures(), expected) << "no begin or end for a reset";
    forgetHostCalls();
    ctrlClick({kCentre.h + 50, kCentre.v});
    EXPECT_TRUE(gestures().empty()) << "already at the defaults";
}

}  // namespace
}  // namespace editor_test
