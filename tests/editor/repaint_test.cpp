// What a change from the host repaints and shows: the controls of its parameter and nothing
// else, and a value that arrives while a control paints reaches the screen at the next idle.
#include "editor_test_support.h"

#include <algorithm>
#include <vector>

#include "editor/CLinkedValue.h"
#include "editor/CPositionView.h"
#include "editor/CStripKnob.h"
#include "effect/ParameterTable.h"
#include "platform/drawing/readback.h"

namespace editor_test {
namespace {

bool sameRect(const platform::Rect& a, const platform::Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The updates as a sorted list, so that tests compare them whatever order they came in.
std::vector<platform::Rect> sorted(std::vector<platform::Rect> rects) {
    std::sort(rects.begin(), rects.end(), [](const platform::Rect& a, const platform::Rect& b) {
        return a.top != b.top ? a.top < b.top : a.left < b.left;
    });
    return rects;
}

std::string describe(const std::vector<platform::Rect>& rects) {
    std::string text;
    for (const platform::Rect& rect : rects)
        text += "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) +
                "," + std::to_string(rect.bottom) + ") ";
    return text;
}

class RepaintTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        openEditor();
        platform::soft::takeWindowUpdates(window());  // the first paint's
    }
    platform::Rect boundsOf(int row) const {
        const CGuiRect& bounds = control(row)->bounds;
        return {bounds.left, bounds.top, bounds.right, bounds.bottom};
    }
    platform::Rect unitedBounds(std::vector<int> rows) const {
        platform::Rect box = boundsOf(rows[0]);
        for (int row : rows) {
            const platform::Rect each = boundsOf(row);
            box = {std::min(box.left, each.left), std::min(box.top, each.top), std::max(box.right, each.right),
                   std::max(box.bottom, each.bottom)};
        }
        return box;
    }
    void expectUpdates(std::vector<platform::Rect> expected) {
        const std::vector<platform::Rect> updates = sorted(platform::soft::takeWindowUpdates(window()));
        expected = sorted(expected);
        EXPECT_TRUE(std::equal(updates.begin(), updates.end(), expected.begin(), expected.end(), sameRect))
            << "updates " << describe(updates) << "expected " << describe(expected);
    }
    // The window's picture now equals what a repaint of the whole editor draws.
    void expectSameAsFullRepaint() {
        const platform::Rect all = {0, 0, editor->frame->bounds.right, editor->frame->bounds.bottom};
        std::vector<platform::Colour> shown;
        for (int y = all.top; y < all.bottom; ++y) {
            for (int x = all.left; x < all.right; ++x)
                shown.push_back(pixel(x, y));
        }
        editor->repaintAll();
        size_t differing = 0;
        size_t at = 0;
        for (int y = all.top; y < all.bottom; ++y) {
            for (int x = all.left; x < all.right; ++x)
                differing += pixel(x, y) != shown[at++];
        }
        EXPECT_EQ(differing, 0u);
    }
};

TEST_F(RepaintTest, AHostChangeRepaintsAndShowsOnlyTheControlsOfItsParameter) {
    effect->setParameter(kAzimuthSpeed, 0.7f);
    idle();
    expectUpdates({boundsOf(kRowAzimuthSpeedKnob), boundsOf(kRowAzimuthSpeedKnob + 1)});  // knob and read-out
    expectSameAsFullRepaint();
    platform::soft::takeWindowUpdates(window());

    // The azimuth is shown by the disc, its slider and its read-out, which overlaps the disc's
    // rectangle: the three go as one.
    effect->setParameter(kAzimuthSlider, 0.3f);
    idle();
    expectUpdates({unitedBounds({kRowView, kRowAzimuthSlider, kRowAzimuthReadout})});
    expectSameAsFullRepaint();
    platform::soft::takeWindowUpdates(window());

    idle();  // nothing changed: nothing reaches the screen
    expectUpdates({});
}

TEST_F(RepaintTest, AHostValueSetWhileTheKnobPaintsIsOnTheScreenAfterTheNextIdle) {
    auto* knob = dynamic_cast<CStripKnob*>(control(kRowAzimuthSpeedKnob));
    ASSERT_NE(knob, nullptr);
    const CGuiRect& bounds = knob->bounds;
    effect->setParameter(kAzimuthSpeed, 0.2f);
    const int firstImage = knob->imageIndex();
    bool arrived = false;
    // The host's next value comes once the knob has read its value and put its image.
    platform::soft::setWindowBlitHook([&](platform::Window*) {
        if (arrived)
            return;
        arrived = true;
        effect->setParameter(kAzimuthSpeed, 0.9f);
    });
    idle();
    platform::soft::setWindowBlitHook({});
    ASSERT_TRUE(arrived);
    const int secondImage = knob->imageIndex();
    ASSERT_NE(firstImage, secondImage);
    EXPECT_EQ(pixel(bounds.left, bounds.top), knobColour(firstImage)) << "the paint showed the value it read";
    EXPECT_TRUE(knob->needsRepaint());

    idle();
    EXPECT_EQ(pixel(bounds.left, bounds.top), knobColour(secondImage));
    EXPECT_FALSE(knob->needsRepaint());
}

TEST_F(RepaintTest, AnAzimuthSetWhileTheDiscPaintsMovesTheMarkerAtTheNextIdle) {
    auto* view = dynamic_cast<CPositionView*>(control(kRowView));
    ASSERT_NE(view, nullptr);
    effect->setParameter(kAzimuthDepthSlider, 0.0f);  // no sector around the marker
    effect->setParameter(kDistanceSlider, 1.0f);
    effect->setParameter(kAzimuthSlider, 0.5f);  // ahead
    bool arrived = false;
    platform::soft::setWindowBlitHook([&](platform::Window*) {
        if (arrived || !view->needsRepaint())
            return;  // the slider and read-out before the disc paint too
        arrived = true;
        effect->setParameter(kAzimuthSlider, 0.75f);  // right
    });
    idle();
    platform::soft::setWindowBlitHook({});
    ASSERT_TRUE(arrived);
    idle();
    int image;
    const CGuiRect marker = view->markerRect(image);
    EXPECT_EQ(pixel(view->bounds.left + (marker.left + marker.right) / 2,
                    view->bounds.top + (marker.top + marker.bottom) / 2),
              markerColour(image));
    EXPECT_FALSE(view->needsRepaint());
}

}  // namespace
}  // namespace editor_test
