// The editor's lifecycle: the host's editor calls, parameter mirroring, hover highlighting with
// the focus, arrow keys polled at the idle tick, and the message boxes of its guarded stages.
#include "editor_test_support.h"

#include <stdexcept>

#include "effect/ParameterTable.h"
#include "gui/CGuiContext.h"

namespace editor_test {
namespace {

TEST_F(EditorTest, TheRectangleIsTheBackgroundsWhetherOpenOrNot) {
    for (int pass = 0; pass < 3; ++pass) {
        SCOPED_TRACE(pass);
        if (pass == 1)
            openEditor();
        if (pass == 2)
            closeEditor();
        ERect* rect = nullptr;
        EXPECT_EQ(effect->dispatcher(effEditGetRect, 0, 0, &rect, 0.0f), 1);
        ASSERT_NE(rect, nullptr);
        EXPECT_EQ(rect->top, 0);
        EXPECT_EQ(rect->left, 0);
        EXPECT_EQ(rect->bottom, 269);
        EXPECT_EQ(rect->right, 454);
    }
    EXPECT_TRUE(effect->effectRecord.flags & effFlagsHasEditor);
}

TEST_F(EditorTest, KeysAreTakenAndTheKnobModeAccepted) {
    VstKeyCode key = {0, VKEY_UP, 0};
    EXPECT_EQ(effect->dispatcher(effEditKeyDown, 0, VKEY_UP, &key, 0.0f), 1);
    openEditor();
    EXPECT_EQ(effect->dispatcher(effEditKeyDown, 0, VKEY_UP, &key, 0.0f), 1);
    EXPECT_EQ(effect->dispatcher(effSetEditKnobMode, 0, 2, nullptr, 0.0f), 1);
}

TEST_F(EditorTest, AClosedEditorIgnoresChangesAndAnOpenedOneShowsTheCurrentValues) {
    effect->setParameter(kAzimuthSpeed, 1.0f);  // closed: only the effect takes it
    for (CGuiSkinControl* closed : editor->controls)
        EXPECT_EQ(closed, nullptr);
    openEditor();
    EXPECT_EQ(control(kRowAzimuthSpeedKnob)->currentValue(), 1.0f);
    EXPECT_EQ(pixel(230, 140), knobColour(30)) << "the knob's last image";

    effect->setParameter(kAzimuthSpeed, 0.5f);
    EXPECT_EQ(control(kRowAzimuthSpeedKnob)->currentValue(), 0.5f);
    EXPECT_EQ(control(15)->currentValue(), 0.5f) << "its read-out";
    EXPECT_EQ(pixel(230, 140), knobColour(30)) << "painted only at the next idle";
    idle();
    EXPECT_EQ(pixel(230, 140), knobColour(15));

    closeEditor();
    effect->setParameter(kAzimuthSpeed, 0.0f);
    EXPECT_EQ(window(), nullptr);
    openEditor();
    EXPECT_EQ(pixel(230, 140), knobColour(0));
}

TEST_F(EditorTest, HoverLightsTheControlsOfTheParameterWhileTheEditorHasTheFocus) {
    openEditor();
    focusEditor();
    moveMouse({390, 230});  // the distance read-out
    idle();
    EXPECT_EQ(editor->hoverIndex, kRowDistanceReadout);
    EXPECT_TRUE(control(kRowDistanceReadout)->isHighlighted);
    EXPECT_TRUE(control(kRowDistanceReadout)->isMouseOver);
    EXPECT_TRUE(control(kRowDistanceSlider)->isHighlighted) << "the slider of the same parameter";
    EXPECT_FALSE(control(kRowView)->isHighlighted) << "its linked value ignores highlighting";
    EXPECT_FALSE(control(kRowAzimuthSlider)->isHighlighted);
    EXPECT_EQ(pixel(380, 226), rgb(255, 207, 99)) << "the highlighted read-out background";

    moveMouse({210, 100});  // over to the azimuth slider
    idle();
    EXPECT_FALSE(control(kRowDistanceReadout)->isHighlighted);
    EXPECT_FALSE(control(kRowDistanceReadout)->isMouseOver);
    EXPECT_FALSE(control(kRowDistanceSlider)->isHighlighted);
    EXPECT_TRUE(control(kRowAzimuthSlider)->isHighlighted);
    EXPECT_TRUE(control(kRowAzimuthReadout)->isHighlighted);

    platform::soft::setFocusWindow(nullptr);
    idle();
    EXPECT_EQ(editor->hoverIndex, -1);
    for (CGuiSkinControl* each : editor->controls)
        EXPECT_FALSE(each->isHighlighted);
    idle();
    EXPECT_FALSE(control(kRowAzimuthSlider)->isHighlighted) << "no focus, no light";
}

TEST_F(EditorTest, TheCornerPixelIsTheEmptyRectangleOfTheFirstLinkedValue) {
    openEditor();
    focusEditor();
    moveMouse({0, 0});
    idle();
    EXPECT_EQ(editor->hoverIndex, kRowLinkedDepth);
    EXPECT_TRUE(control(kRowAzimuthDepthKnob)->isHighlighted);
    EXPECT_TRUE(control(kRowAzimuthDepthReadout)->isHighlighted);
    moveMouse({1, 0});
    idle();
    EXPECT_EQ(editor->hoverIndex, -1);
    EXPECT_FALSE(control(kRowAzimuthDepthKnob)->isHighlighted);
}

TEST_F(EditorTest, AHeldArrowStepsTheHoveredControlOncePerTick) {
    openEditor();
    focusEditor();
    moveMouse({238, 147});  // the azimuth speed knob, 0.06
    tickIdle();
    platform::soft::holdKey(platform::Key::ArrowUp);
    tickIdle();
    EXPECT_FLOAT_EQ(control(kRowAzimuthSpeedKnob)->currentValue(), 2.0f / 19.0f);
    platform::soft::advanceClock(50);
    idle();
    EXPECT_FLOAT_EQ(control(kRowAzimuthSpeedKnob)->currentValue(), 2.0f / 19.0f) << "no tick yet";
    tickIdle();
    EXPECT_FLOAT_EQ(control(kRowAzimuthSpeedKnob)->currentValue(), 3.0f / 19.0f);
    EXPECT_EQ(automationOf(kAzimuthSpeed), (std::vector<Gesture>{automate(kAzimuthSpeed, 2.0f / 19.0f),
                                                                  automate(kAzimuthSpeed, 3.0f / 19.0f)}));
    EXPECT_FLOAT_EQ(effect->getParameter(kAzimuthSpeed), 3.0f / 19.0f);

    platform::soft::setFocusWindow(nullptr);
    tickIdle();
    EXPECT_FLOAT_EQ(control(kRowAzimuthSpeedKnob)->currentValue(), 3.0f / 19.0f) << "no focus, no keys";

    focusEditor();
    moveMouse({100, 100});  // the position view
    forgetHostCalls();
    tickIdle();
    tickIdle();
    EXPECT_EQ(editor->hoverIndex, kRowView);
    EXPECT_TRUE(gestures().empty());
    platform::soft::releaseKey(platform::Key::ArrowUp);
}

// A control that fails where a test asks it to.
class FailingControl : public CGuiSkinControl {
public:
    enum Failure { kNone, kSetValue, kRefresh, kPaint, kArrowKey, kArrowKeyStandard, kMouseEnter };
    FailingControl(int tag, Failure failure)
        : CGuiSkinControl({150, 10, 160, 20}, nullptr, tag, nullptr, nullptr, nullptr, nullptr, nullptr, {0, 0},
                          {0, 0}, false, false, 0, 1.0f, false, 0),
          failure(failure) {}
    void paint(CGuiContext*) override {
        if (failure == kPaint)
            throw std::runtime_error("the paint failed");
        markRepaint(false);
    }
    void setCurrentValue(float value) override {
        if (failure == kSetValue)
            throw 1;
        CGuiSkinControl::setCurrentValue(value);
    }
    void refresh(CGuiContext* context) override {
        if (failure == kRefresh)
            throw 2;
        CGuiSkinControl::refresh(context);
    }
    void onArrowKey(int, int32_t) override {
        if (failure == kArrowKey)
            throw 3;
        if (failure == kArrowKeyStandard)
            throw std::logic_error("no key today");
    }
    void onMouseEnter() override {
        if (failure == kMouseEnter)
            throw std::runtime_error("no entry");
    }
    Failure failure;
};

class EditorFaults : public EditorTest {
protected:
    // Puts a failing control in place of row `row`, in the frame on top of the others.
    FailingControl* replace(int row, FailingControl::Failure failure) {
        auto* failing = new FailingControl(kEditorLayout[row].tag, failure);
        editor->frame->attachView(failing);
        editor->controls[row] = failing;
        platform::soft::clearMessageBoxes();
        return failing;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> result;
        for (const auto& box : platform::soft::messageBoxesShown()) {
            EXPECT_EQ(box.title, "Error");
            result.push_back(box.text);
        }
        return result;
    }
    using Texts = std::vector<std::string>;
};

TEST_F(EditorFaults, AFailingControlOfAParameterChangeShowsTheParameterBox) {
    openEditor();
    replace(kRowAzimuthSlider, FailingControl::kSetValue);
    effect->setParameter(kAzimuthSlider, 0.25f);
    EXPECT_EQ(texts(), Texts{"CEffect::setParameter function!\nDEBUG INFO: 2\nID: 4\nValue: 0.25000\n"});
    EXPECT_EQ(effect->getParameter(kAzimuthSlider), 0.25f) << "the effect keeps the value";
}

TEST_F(EditorFaults, AFailingRepaintOfAUserChangeShowsTheStageBox) {
    openEditor();
    FailingControl* failing = replace(kRowAzimuthReadout, FailingControl::kRefresh);
    CGuiContext context(editor->frame, nullptr, nullptr);
    failing->CGuiSkinControl::setCurrentValue(0.25f);
    editor->valueChanged(&context, failing);
    EXPECT_EQ(texts(),
              Texts{"CEffectEditor::valueChanged function!\nDEBUG INFO: 3:1\nTag: 4\nValue: 0.25000\nafter single update"});
    EXPECT_EQ(automationOf(kAzimuthSlider), std::vector<Gesture>{automate(kAzimuthSlider, 0.25f)});
}

TEST_F(EditorFaults, AFailingPaintInTheIdleShowsTheIdleBoxAndTheMessage) {
    openEditor();
    replace(kRowMenu, FailingControl::kPaint)->markRepaint(true);
    idle();
    EXPECT_EQ(texts(), (Texts{"Oh No! Error in AEffGUIEditor::idle() function!", "the paint failed"}));
}

TEST_F(EditorFaults, FailingArrowKeysShowTheKeyBoxes) {
    openEditor();
    focusEditor();
    replace(kRowMenu, FailingControl::kArrowKey);
    moveMouse({155, 15});
    idle();
    ASSERT_EQ(editor->hoverIndex, kRowMenu);
    platform::soft::holdKey(platform::Key::ArrowDown);
    tickIdle();
    EXPECT_EQ(texts(), Texts{"Oh No! Error in idle key() function!\nControl: 5\n"});

    replace(kRowMenu, FailingControl::kArrowKeyStandard);
    tickIdle();
    EXPECT_EQ(texts(), (Texts{"Oh No! Error in idle key() function!", "no key today"}));
    platform::soft::releaseKey(platform::Key::ArrowDown);
}

TEST_F(EditorFaults, AFailureElsewhereInTheIdleShowsTheLastBox) {
    openEditor();
    focusEditor();
    replace(kRowMenu, FailingControl::kMouseEnter);
    moveMouse({155, 15});
    idle();
    EXPECT_EQ(texts(), (Texts{"Oh No! Error in idle key() function XXX!", "no entry"}));
}

}  // namespace
}  // namespace editor_test
