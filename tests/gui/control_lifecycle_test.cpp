// All four controls in one frame: no drawing object outlives a control, and closing the editor
// from inside a drag's idle ends the drag safely with the gesture closed.
#include "control_fixture.h"

#include "gui/CGuiOnOffButton.h"
#include "gui/CGuiOptionMenu.h"
#include "gui/CGuiValueDisplay.h"
#include "gui/CGuiVerticalSlider.h"

namespace {

const MenuListEntry kPatterns[4] = {{1, "absorb"}, {2, "normal"}, {3, "reflect"}, {4, "sustain"}};
const MenuList kPatternList = {kPatterns, 4, 4};

constexpr CGuiRect kSliderRect = {200, 74, 221, 216};
constexpr CGuiRect kDisplayRect = {197, 225, 225, 237};
constexpr CGuiRect kMenuRect = {313, 178, 378, 199};
constexpr CGuiRect kButtonRect = {407, 87, 430, 122};

class ControlLifecycleTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        loadSkins(bitmaps);
    }
    void loadSkins(Bitmaps& owner) {
        for (int resource : {kButtonBitmap, kButtonLitBitmap, kSkinBitmap, kPressedBitmap, kTrackBitmap, kHandleBitmap})
            skins[resource] = owner.get(resource);
    }
    CGuiControl* makeControl(int kind) {
        switch (kind) {
            case 0:
                return new CGuiOnOffButton(kButtonRect, &listener, 13, skins.at(kButtonBitmap),
                                           skins.at(kButtonLitBitmap), 0x40);
            case 1: {
                auto* display = new CGuiValueDisplay(kDisplayRect, &listener, 4, nullptr, nullptr, nullptr, 360, -180,
                                                     0, 360.0f, 0);
                display->fontId = 0;
                display->fontSize = 10;
                return display;
            }
            case 2:
                return new CGuiOptionMenu(kMenuRect, &listener, 14, skins.at(kSkinBitmap), nullptr,
                                          skins.at(kPressedBitmap), &kPatternList, 0x0400);
            default:
                return new CGuiVerticalSlider(kSliderRect, &listener, 4, 75, 199, skins.at(kTrackBitmap), nullptr,
                                              skins.at(kHandleBitmap), nullptr, {0, 0}, {1, 0}, false, true, 0x40,
                                              360.0f, 0);
        }
    }
    std::map<int, CGuiBitmap*> skins;

    CGuiPoint centreOf(const CGuiControl* control) const {
        return {(control->bounds.left + control->bounds.right) / 2, (control->bounds.top + control->bounds.bottom) / 2};
    }
};

TEST_F(ControlLifecycleTest, NoDrawingObjectOutlivesACreatedPaintedUsedAndDestroyedControl) {
    for (int kind = 0; kind < 4; ++kind) {
        const platform::soft::ObjectCounts before = platform::soft::liveObjectCounts();
        {
            Bitmaps owner;  // the bitmaps go too, with the masks their keyed draws made
            loadSkins(owner);
            CGuiControl* control = makeControl(kind);
            frame->attachView(control);
            for (const float value : {0.0f, 0.5f, 1.0f}) {
                control->setCurrentValue(value);
                paintWindow();
            }
            static_cast<CGuiSkinControl*>(control)->highlight();
            editor->idle();
            platform::soft::answerNextMenu(2);
            press(centreOf(control), {[this] { moveMouse(210, 150); }, [] {}});
            editor->wheelTurned(1.0f);
            frame->detachView(control, true);
        }
        EXPECT_EQ(platform::soft::liveObjectCounts(), before) << "control kind " << kind;
    }
}

TEST_F(ControlLifecycleTest, ClosingTheEditorDuringADragEndsTheDragAndTheGesture) {
    for (int kind : {0, 1, 3}) {
        if (!frame) {
            frame = new CGuiFrame(kFrameRect, host, editor);
            editor->frame = frame;
        }
        CGuiControl* control = attach(makeControl(kind));
        bool destroyedBeforeTheLoopEnded = false;
        int passesAfterClose = 0;
        hostCalls().clear();
        platform::soft::advanceClock(200);  // the drag's first pass runs the idle at once
        // The host's idle call, made from inside the drag loop, closes the editor.
        setHostHook([&](int32_t opcode) {
            if (opcode != audioMasterIdle || !frame)
                return;
            closeEditor();
            destroyedBeforeTheLoopEnded = true;
        });
        press(centreOf(control), {[&] { passesAfterClose += destroyedBeforeTheLoopEnded; },
                                  [&] { passesAfterClose += destroyedBeforeTheLoopEnded; }});
        setHostHook(nullptr);
        EXPECT_TRUE(destroyedBeforeTheLoopEnded) << kind;
        EXPECT_EQ(passesAfterClose, 0) << "the loop stops once the control has left its frame";
        EXPECT_FALSE(gMouseTracking);
        EXPECT_EQ(countHostCalls(audioMasterBeginEdit), countHostCalls(audioMasterEndEdit)) << kind;
        EXPECT_EQ(platform::soft::cursorShowCount(), 0);
    }
}

}  // namespace
