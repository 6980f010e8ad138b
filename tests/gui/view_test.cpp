// Views, controls and skin controls: reference counts, rectangles, repaint tracking, clamping,
// skins and the Ctrl-click reset.
#include "gui_test_support.h"

#include <cmath>
#include <limits>

#include "gui/CGuiBitmap.h"
#include "gui/CGuiSkinControl.h"

namespace {

using ViewTest = SoftDesktopTest;

class RecordingListener : public CGuiControlListener {
public:
    void valueChanged(CGuiContext* context, CGuiControl* control) override {
        calls.push_back({context, control, control->currentValue()});
    }
    struct Call {
        CGuiContext* context;
        CGuiControl* control;
        float value;
    };
    std::vector<Call> calls;
};

class TestControl : public CGuiSkinControl {
public:
    TestControl(CGuiControlListener* listener, int tag, CGuiBitmap* skin = nullptr)
        : CGuiSkinControl({10, 10, 40, 30}, listener, tag, skin, nullptr, nullptr, nullptr, nullptr, {0, 0}, {0, 0},
                          false, false, 0, 1.0f, false, 0) {}
    void paint(CGuiContext*) override {
        ++paints;
        markRepaint(false);
    }
    int paints = 0;
};

// The skin, the highlight skin and the three extra skins, with every other argument set.
class FiveSkinControl : public CGuiSkinControl {
public:
    explicit FiveSkinControl(CGuiBitmap* const (&skins)[5])
        : CGuiSkinControl({0, 0, 10, 10}, nullptr, 2, skins[0], skins[1], skins[2], skins[3], skins[4], {1, 2},
                          {3, 4}, true, true, 0x40, 4.0f, true, 7) {}
    void paint(CGuiContext*) override {}
};

TEST_F(ViewTest, AViewIsDestroyedByItsLastRelease) {
    std::vector<std::string> log;
    bool destroyed = false;
    auto* view = new ProbeView({0, 0, 10, 10}, "v", log);
    view->destroyed = &destroyed;
    EXPECT_EQ(view->retainCount(), 1);
    view->retain();
    EXPECT_EQ(view->retainCount(), 2);
    view->release();
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(view->retainCount(), 1);
    view->release();
    EXPECT_TRUE(destroyed);
}

TEST_F(ViewTest, ReleaseOnACountOfZeroDoesNothing) {
    std::vector<std::string> log;
    bool destroyed = false;
    auto* view = new ProbeView({0, 0, 10, 10}, "v", log);
    view->destroyed = &destroyed;
    view->refCount = 0;
    view->release();
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(view->retainCount(), 0);
    delete view;
}

TEST_F(ViewTest, RectanglesIncludeTheirEdges) {
    std::vector<std::string> log;
    ProbeView view({10, 20, 30, 40}, "v", log);
    EXPECT_TRUE(view.contains({10, 20}));
    EXPECT_TRUE(view.contains({30, 40}));
    EXPECT_FALSE(view.contains({31, 40}));
    EXPECT_FALSE(view.contains({30, 19}));
    EXPECT_TRUE(view.touches({30, 40, 50, 60}));  // corner to corner
    EXPECT_TRUE(view.touches({0, 0, 10, 20}));
    EXPECT_TRUE(view.touches({15, 25, 16, 26}));  // inside
    EXPECT_TRUE(view.touches({0, 0, 100, 100}));  // around
    EXPECT_FALSE(view.touches({31, 20, 50, 40}));
    EXPECT_FALSE(view.touches({10, 0, 30, 19}));
}

TEST_F(ViewTest, SetBoundsMarksForRepaintAndKeepsTheMouseArea) {
    std::vector<std::string> log;
    ProbeView view({10, 20, 30, 40}, "v", log);
    EXPECT_FALSE(view.needsRepaint());
    view.setBounds({0, 0, 5, 5});
    EXPECT_TRUE(view.needsRepaint());
    EXPECT_EQ(view.bounds.right, 5);
    CGuiRect area;
    view.getMouseArea(area);
    EXPECT_EQ(area.left, 10);
    EXPECT_EQ(area.bottom, 40);
    view.setMouseArea({1, 2, 3, 4});
    view.getMouseArea(area);
    EXPECT_EQ(area.top, 2);
}

TEST_F(ViewTest, RefreshPaintsOnlyAViewThatNeedsIt) {
    std::vector<std::string> log;
    ProbeView view({0, 0, 4, 4}, "v", log);
    Canvas canvas(8, 8, kBlack);
    view.refresh(canvas.context());
    EXPECT_TRUE(log.empty());
    view.markRepaint(true);
    view.refresh(canvas.context());
    view.refresh(canvas.context());
    EXPECT_EQ(log, std::vector<std::string>{"paint v"});
    EXPECT_FALSE(view.needsRepaint());
}

TEST_F(ViewTest, AControlNeedsRepaintWhileItsValueDiffersFromTheLastPainted) {
    TestControl control(nullptr, 0);
    EXPECT_EQ(control.currentValue(), 0.0f);
    EXPECT_EQ(control.previousValue(), 1.0f);
    EXPECT_TRUE(control.needsRepaint());  // never painted
    Canvas canvas(50, 50, kBlack);
    control.refresh(canvas.context());
    EXPECT_EQ(control.paints, 1);
    EXPECT_FALSE(control.needsRepaint());
    control.refresh(canvas.context());
    EXPECT_EQ(control.paints, 1);

    control.setCurrentValue(0.25f);  // a value set from outside shows at the next refresh
    EXPECT_TRUE(control.needsRepaint());
    control.refresh(canvas.context());
    EXPECT_EQ(control.paints, 2);
    EXPECT_EQ(control.previousValue(), 0.25f);
}

TEST_F(ViewTest, MarkRepaintMovesThePreviousValueAwayFromTheValue) {
    TestControl control(nullptr, 0);
    control.setCurrentValue(0.3f);
    control.markRepaint(true);
    EXPECT_EQ(control.previousValue(), -1.0f);
    EXPECT_TRUE(control.needsRepaint());
    control.setCurrentValue(-1.0f);
    control.markRepaint(true);
    EXPECT_EQ(control.previousValue(), 0.0f);
    EXPECT_TRUE(control.needsRepaint());
    control.markRepaint(false);
    EXPECT_EQ(control.previousValue(), -1.0f);
    EXPECT_FALSE(control.needsRepaint());
}

TEST_F(ViewTest, ClampValueKeepsTheValueWithinTheBounds) {
    TestControl control(nullptr, 0);
    const struct {
        float value;
        float clamped;
    } cases[] = {{1.5f, 1.0f}, {-0.2f, 0.0f}, {0.3f, 0.3f}, {1.0f, 1.0f}, {0.0f, 0.0f},
                 {std::numeric_limits<float>::infinity(), 1.0f}, {-std::numeric_limits<float>::infinity(), 0.0f},
                 {1e30f, 1.0f}};
    for (const auto& c : cases) {
        control.setCurrentValue(c.value);
        control.clampValue();
        EXPECT_EQ(control.currentValue(), c.clamped) << c.value;
    }
    control.setLowerBound(0.2f);
    control.setUpperBound(0.6f);
    control.setCurrentValue(0.1f);
    control.clampValue();
    EXPECT_EQ(control.currentValue(), 0.2f);
}

TEST_F(ViewTest, ANaNValueBecomesTheLowerBound) {
    TestControl control(nullptr, 0);
    control.setLowerBound(0.25f);
    control.setCurrentValue(std::nanf(""));
    EXPECT_EQ(control.currentValue(), 0.25f);
    Canvas canvas(50, 50, kBlack);
    control.refresh(canvas.context());
    EXPECT_FALSE(control.needsRepaint());
}

TEST_F(ViewTest, ControlsRetainTheirSkinAndReleaseItWhenReplacedOrDestroyed) {
    CGuiBitmap* first = new CGuiBitmap(kKeyedBitmap);
    CGuiBitmap* second = new CGuiBitmap(kStripBitmap);
    auto* control = new TestControl(nullptr, 0, first);
    EXPECT_EQ(first->refCount, 2);
    control->setSkin(second);
    EXPECT_EQ(first->refCount, 1);
    EXPECT_EQ(second->refCount, 2);
    control->setSkin(second);  // the same bitmap again
    EXPECT_EQ(second->refCount, 2);
    control->setSkin(nullptr);
    EXPECT_EQ(second->refCount, 1);
    EXPECT_EQ(control->skin(), nullptr);
    control->setSkin(first);
    control->release();
    EXPECT_EQ(first->refCount, 1);
    first->release();
    second->release();
}

TEST_F(ViewTest, SkinControlsTakeTheirArgumentsAndRetainEverySkinUntilDestroyed) {
    CGuiBitmap* bitmaps[5];
    for (CGuiBitmap*& bitmap : bitmaps)
        bitmap = new CGuiBitmap(kKeyedBitmap);
    auto* control = new FiveSkinControl(bitmaps);
    for (CGuiBitmap* bitmap : bitmaps)
        EXPECT_EQ(bitmap->refCount, 2);
    EXPECT_EQ(control->skin(), bitmaps[0]);
    EXPECT_EQ(control->highlightSkin, bitmaps[1]);
    EXPECT_EQ(control->extraSkins[2], bitmaps[4]);
    EXPECT_EQ(control->extraPoints[0].v, 2);
    EXPECT_EQ(control->extraPoints[1].h, 3);
    EXPECT_TRUE(control->seeThrough());
    EXPECT_TRUE(control->optionFlag);
    EXPECT_EQ(control->styleBits, 0x40);
    EXPECT_EQ(control->stepCount, 4.0f);
    EXPECT_TRUE(control->wantsIdleTick);
    EXPECT_EQ(control->stepArgument, 7);
    EXPECT_EQ(control->stepFunction, nullptr);
    EXPECT_FALSE(control->isHighlighted);
    EXPECT_FALSE(control->isMouseOver);
    EXPECT_EQ(control->tagId, 2);
    EXPECT_EQ(control->resetValue(), 0.5f);
    EXPECT_EQ(control->lowerBound(), 0.0f);
    EXPECT_EQ(control->upperBound(), 1.0f);
    EXPECT_EQ(control->wheelStep(), 0.1f);
    control->release();
    for (CGuiBitmap* bitmap : bitmaps) {
        EXPECT_EQ(bitmap->refCount, 1);
        bitmap->release();
    }
}

TEST_F(ViewTest, HighlightAndHoverMarkTheControlForRepaint) {
    TestControl control(nullptr, 0);
    control.markRepaint(false);
    control.highlight();
    EXPECT_TRUE(control.isHighlighted);
    EXPECT_TRUE(control.needsRepaint());
    control.markRepaint(false);
    control.highlight();  // already lit
    EXPECT_FALSE(control.needsRepaint());
    control.unhighlight();
    EXPECT_FALSE(control.isHighlighted);
    EXPECT_TRUE(control.needsRepaint());
    control.markRepaint(false);
    control.unhighlight();
    EXPECT_FALSE(control.needsRepaint());

    control.onMouseEnter();
    EXPECT_TRUE(control.isMouseOver);
    EXPECT_TRUE(control.needsRepaint());
    control.markRepaint(false);
    control.onMouseLeave();
    EXPECT_FALSE(control.isMouseOver);
    EXPECT_TRUE(control.needsRepaint());

    control.setKeyedSkin(true);
    EXPECT_TRUE(control.seeThrough());
    EXPECT_TRUE(control.keyedSkin());
}

TEST_F(ViewTest, CtrlClickResetsTheValueAndTellsTheListener) {
    RecordingListener listener;
    TestControl control(&listener, 3);
    control.setResetValue(0.75f);
    control.setCurrentValue(0.2f);
    Canvas canvas(50, 50, kBlack);
    platform::soft::holdKey(platform::Key::MouseLeft);
    platform::soft::holdKey(platform::Key::Control);
    EXPECT_TRUE(control.applyResetClick(canvas.context(), canvas.context()->readButtons()));
    EXPECT_EQ(control.currentValue(), 0.75f);
    ASSERT_EQ(listener.calls.size(), 1u);
    EXPECT_EQ(listener.calls[0].context, canvas.context());
    EXPECT_EQ(listener.calls[0].control, &control);
    EXPECT_EQ(listener.calls[0].value, 0.75f);

    // At the reset value already: the press is used up, nobody is told.
    EXPECT_TRUE(control.applyResetClick(canvas.context(), canvas.context()->readButtons()));
    EXPECT_EQ(listener.calls.size(), 1u);
}

TEST_F(ViewTest, OnlyExactlyLeftPlusCtrlIsTheResetClick) {
    RecordingListener listener;
    TestControl control(&listener, 3);
    control.setCurrentValue(0.2f);
    for (int buttons : {0, int(kMouseLeft), int(kKeyControl), kMouseLeft | kKeyControl | kKeyShift,
                        kMouseRight | kKeyControl, kMouseLeft | kKeyControl | kKeyAlt}) {
        EXPECT_FALSE(control.applyResetClick(nullptr, buttons)) << buttons;
    }
    EXPECT_EQ(control.currentValue(), 0.2f);
    EXPECT_TRUE(listener.calls.empty());
}

TEST_F(ViewTest, ANegativeTagDisablesTheResetClick) {
    RecordingListener listener;
    TestControl control(&listener, -1);
    control.setCurrentValue(0.2f);
    EXPECT_TRUE(control.applyResetClick(nullptr, kMouseLeft | kKeyControl));
    EXPECT_EQ(control.currentValue(), 0.2f);
    EXPECT_TRUE(listener.calls.empty());
}

TEST_F(ViewTest, PumpingIdleWithoutAFrameDoesNothing) {
    TestControl control(nullptr, 0);
    control.pumpEditorIdle();
    EXPECT_EQ(platform::soft::totalSleptMilliseconds(), 0u);
}

}  // namespace
